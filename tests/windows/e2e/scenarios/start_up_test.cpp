// Start-up checks by the set of component files present when the launcher
// starts: which message appears, whether the window opens, and what the
// launcher did to the files.

#include <algorithm>
#include <vector>

#include "files.h"
#include "scenario.h"

namespace e2e {
namespace {

enum class Message { None, MissingFile, ErrorReport };

struct StartUpRow {
  const char* name;
  std::vector<std::wstring> present;
  Message message;
  const wchar_t* missingName;  // named in the missing-file message
  bool windowOpens;
  bool queryFrontEndRebuilt;
};

std::ostream& operator<<(std::ostream& out, const StartUpRow& row) {
  return out << row.name;
}

const StartUpRow kRows[] = {
    {"NothingMissing",
     {kQueryFrontEnd, kMainFrontEnd, kWorkgroupFile},
     Message::None,
     nullptr,
     true,
     false},
    {"QueryFrontEndMissing", {kMainFrontEnd, kWorkgroupFile}, Message::None, nullptr, true, true},
    {"MainFrontEndMissing",
     {kQueryFrontEnd, kWorkgroupFile},
     Message::MissingFile,
     kMainFrontEnd,
     false,
     false},
    {"WorkgroupFileMissing",
     {kQueryFrontEnd, kMainFrontEnd},
     Message::MissingFile,
     kWorkgroupFile,
     false,
     false},
    {"WorkgroupFileAndMainFrontEndMissing",
     {kQueryFrontEnd},
     Message::MissingFile,
     kWorkgroupFile,
     false,
     false},
    {"WorkgroupFileAndQueryFrontEndMissing", {kMainFrontEnd}, Message::None, nullptr, true, true},
    {"BothFrontEndsMissing", {kWorkgroupFile}, Message::ErrorReport, nullptr, true, false},
    {"AllMissing", {}, Message::ErrorReport, nullptr, true, false},
};

class StartUp : public ::testing::TestWithParam<StartUpRow> {};

TEST_P(StartUp, ShowsTheRowsOutcome) {
  const StartUpRow& row = GetParam();
  Installation installation(ScenarioFolder());
  for (const auto& name : row.present) installation.With(name);
  Process launcher = installation.Start();

  if (row.message == Message::MissingFile) {
    HWND box = nullptr;
    ASSERT_TRUE(MessageShown(launcher.id(), L"出错信息",
                             std::wstring(L"操作系统《") + row.missingName + L"》文件丢失,无法操作",
                             &box));
    EXPECT_FALSE(FindWindowOf(launcher.id(), korvane::windows::kMainWindowClass));
    PressButton(box, IDOK);
  } else if (row.message == Message::ErrorReport) {
    HWND report = nullptr;
    ASSERT_TRUE(ErrorReportShown(launcher.id(), L"出错LOAD", &report));
    EXPECT_FALSE(FindWindowOf(launcher.id(), korvane::windows::kMainWindowClass))
        << "the window showed before the start-up checks ended";
    PressButton(report, IDOK);
  }

  if (row.windowOpens) {
    HWND window = WaitForMainWindow(launcher.id());
    ASSERT_TRUE(window) << "the main window did not open";
    EXPECT_TRUE(NoMessageFor(launcher.id()));
    EXPECT_TRUE(ClosesOnCommand(launcher, window));
  } else {
    EXPECT_TRUE(launcher.WaitForExit(kStepTimeoutMs)) << "the launcher did not end";
  }

  std::vector<std::wstring> expected = row.present;
  expected.push_back(kLauncherName);
  if (row.queryFrontEndRebuilt) {
    expected.push_back(kQueryFrontEnd);
    EXPECT_EQ(ReadBytes(installation.PathOf(kQueryFrontEnd)), ContentsOf(kMainFrontEnd))
        << "the query front-end is not a copy of the main front-end";
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FileNames(installation.folder()), expected);
  for (const auto& name : row.present) {
    if (row.queryFrontEndRebuilt && name == kQueryFrontEnd) continue;
    EXPECT_EQ(ReadBytes(installation.PathOf(name)), ContentsOf(name)) << Narrow(name);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, StartUp, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
