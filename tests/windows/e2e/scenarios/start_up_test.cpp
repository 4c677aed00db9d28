// Start-up checks by the set of component files present when the launcher
// starts: which message appears, whether the window opens, and what the
// launcher did to the files.

#include <algorithm>
#include <vector>

#include "files.h"
#include "scenario.h"

namespace e2e {
namespace {

enum Message { kNone, kMissingFile, kErrorReport };
constexpr const wchar_t* Q = kQueryFrontEnd;
constexpr const wchar_t* M = kMainFrontEnd;
constexpr const wchar_t* W = kWorkgroupFile;

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

// clang-format off
const StartUpRow kRows[] = {
    {"NothingMissing",                       {Q, M, W}, kNone,        nullptr, true,  false},
    {"QueryFrontEndMissing",                 {M, W},    kNone,        nullptr, true,  true},
    {"MainFrontEndMissing",                  {Q, W},    kMissingFile, M,       false, false},
    {"WorkgroupFileMissing",                 {Q, M},    kMissingFile, W,       false, false},
    {"WorkgroupFileAndMainFrontEndMissing",  {Q},       kMissingFile, W,       false, false},
    {"WorkgroupFileAndQueryFrontEndMissing", {M},       kNone,        nullptr, true,  true},
    {"BothFrontEndsMissing",                 {W},       kErrorReport, nullptr, true,  false},
    {"AllMissing",                           {},        kErrorReport, nullptr, true,  false},
};
// clang-format on

class StartUp : public ::testing::TestWithParam<StartUpRow> {};

TEST_P(StartUp, ShowsTheRowsOutcome) {
  const StartUpRow& row = GetParam();
  Installation installation(ScenarioFolder());
  for (const auto& name : row.present) installation.With(name);
  Process launcher = installation.Start();

  if (row.message != kNone) {
    HWND box = nullptr;
    ASSERT_TRUE(
        row.message == kMissingFile
            ? MessageShown(launcher.id(), L"出错信息",
                           std::wstring(L"操作系统《") + row.missingName + L"》文件丢失,无法操作",
                           &box)
            : ErrorReportShown(launcher.id(), L"出错LOAD", &box));
    EXPECT_FALSE(FindWindowOf(launcher.id(), korvane::windows::kMainWindowClass))
        << "the window showed before the start-up checks ended";
    PressButton(box, IDOK);
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
