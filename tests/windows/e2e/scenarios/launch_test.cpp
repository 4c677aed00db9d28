// Starting Microsoft Access on a front-end, through 运行 and through 查询,
// with the stand-in automation server and the stand-in msaccess.exe. There
// is no Jet engine under Wine, so the back-end probe always fails and the
// launcher always asks whether to go on.

#include <algorithm>

#include "archive_query.h"
#include "automation_stand_in.h"
#include "files.h"
#include "paths.h"
#include "scenario.h"
#include "stand_in_record.h"

namespace e2e {
namespace {

// The folders of the worked example: the installation in D:\App (D: is
// mapped by the preparation step) and Access in C:\Office.
constexpr wchar_t kAppFolder[] = L"D:\\App";
constexpr wchar_t kHostFolder[] = L"C:\\Office";

enum class Via { RunCommand, ArchiveQuery };
// NotInstalled: no "Access.Application" class at all.
enum class Host { NotInstalled, NotRunning, Korvane, NameUnreadable, OtherApplication };
enum class Answer { KorvaneNotice, No, Yes };

struct LaunchRow {
  const char* name;
  Via via;
  Host host;
  Answer answer;
  const wchar_t* startedFrontEnd;  // nothing is started when null
};

std::ostream& operator<<(std::ostream& out, const LaunchRow& row) {
  return out << row.name;
}

const LaunchRow kRows[] = {
    {"RunProbeFailsAnsweredNo", Via::RunCommand, Host::NotRunning, Answer::No, nullptr},
    {"RunProbeFailsAnsweredYes", Via::RunCommand, Host::NotRunning, Answer::Yes, kMainFrontEnd},
    {"RunWhileKorvaneIsOpen", Via::RunCommand, Host::Korvane, Answer::KorvaneNotice, nullptr},
    {"RunWhileHostNameIsUnreadable", Via::RunCommand, Host::NameUnreadable, Answer::KorvaneNotice,
     nullptr},
    {"RunWhileHostRunsAnotherApplication", Via::RunCommand, Host::OtherApplication, Answer::Yes,
     kMainFrontEnd},
    {"RunAnsweredYesWithoutAccessInstalled", Via::RunCommand, Host::NotInstalled, Answer::Yes,
     nullptr},
    {"QueryProbeFailsAnsweredYes", Via::ArchiveQuery, Host::NotRunning, Answer::Yes,
     kQueryFrontEnd},
};

AccessSettings SettingsFor(Host host) {
  AccessSettings settings;
  settings.hostFolder = std::wstring(kHostFolder) + L"\\";
  settings.name = host == Host::OtherApplication ? L"Northwind" : L"Korvane";
  settings.nameFails = host == Host::NameUnreadable;
  return settings;
}

bool Called(const std::vector<std::wstring>& calls, const std::wstring& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

class Launch : public ::testing::TestWithParam<LaunchRow> {};

TEST_P(Launch, StartsTheHostOrNot) {
  const LaunchRow& row = GetParam();
  MakeEmptyFolder(kHostFolder);
  const std::wstring record = Join(kHostFolder, stand_in::kStartRecord);
  CopyOrFail(Join(HelperFolder(), L"stand_in_msaccess.exe"), Join(kHostFolder, L"msaccess.exe"));
  std::optional<AutomationStandIn> access;
  if (row.host != Host::NotInstalled) access.emplace(SettingsFor(row.host));
  if (access && row.host != Host::NotRunning) {
    ASSERT_TRUE(access->StartRunningInstance());
  }

  Installation installation(kAppFolder);
  installation.WithAllComponents();
  const std::wstring archive = Join(ScenarioFolder(), L"arch.mdb");
  MakeEmptyFolder(ScenarioFolder());
  WriteBytes(archive, "archive\n");
  auto launcher = StartShown(installation);
  ASSERT_TRUE(launcher);
  const DWORD id = launcher->process.id();

  if (row.via == Via::RunCommand) {
    PostCommand(launcher->window, korvane::windows::kIdRun);
  } else {
    HWND dialog = OpenArchiveDialog(id, launcher->window);
    ASSERT_TRUE(dialog);
    ChooseArchive(dialog, archive);
  }

  HWND box = nullptr;
  if (row.answer == Answer::KorvaneNotice) {
    ASSERT_TRUE(MessageShown(id, L"系统运行状态", L"Korvane正在运行", &box));
    PressButton(box, IDOK);
  } else {
    ASSERT_TRUE(QuestionShown(id, L"系统后端数据联接失败", L"是否进行数据后端初始化工作", &box));
    PressButton(box, row.answer == Answer::Yes ? IDYES : IDNO);
  }
  EXPECT_TRUE(launcher->process.WaitForExit(kStepTimeoutMs)) << "the launcher did not end";

  const auto calls = access ? access->Calls() : std::vector<std::wstring>{};
  if (access && row.host != Host::NotRunning) {
    EXPECT_TRUE(Called(calls, L"Properties vt=8 AppTitle")) << "AppTitle was not asked for";
    EXPECT_TRUE(Called(calls, L"Value")) << "AppTitle's value was not read";
  }
  if (row.startedFrontEnd) {
    ASSERT_TRUE(PollFor(kStepTimeoutMs, [&] { return Exists(record); })) << "nothing was started";
    const auto started = ReadUtf16Lines(record);
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(Narrow(started[0]),
              Narrow(std::wstring(L"C:\\Office\\msaccess.exe \"D:\\App\\") + row.startedFrontEnd +
                     L"\" /wrkgrp: \"D:\\App\\Secured.mdw\" /user \"qorvu\" "
                     L"/pwd\"pelmo\""));
    EXPECT_TRUE(std::stoul(started[1]) & STARTF_USESHOWWINDOW) << "flags " << Narrow(started[1]);
    EXPECT_EQ(std::stoul(started[2]), static_cast<unsigned long>(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(Called(calls, L"SysCmd vt=3 9")) << "SysCmd(9) was not asked with a Long";
    EXPECT_TRUE(PollFor(kStepTimeoutMs, [&] { return Called(access->Calls(), L"Quit"); }))
        << "the Access instance asked for its folder outlived the launcher";
  } else {
    Sleep(kQuietMs);
    EXPECT_FALSE(Exists(record)) << "Access was started";
    EXPECT_FALSE(Called(calls, L"SysCmd vt=3 9"));
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, Launch, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
