// Starting the database host: its command line, and what the running-host
// check, the back-end probe and the user's answer decide.

#include <gtest/gtest.h>

#include "database/back_end_link.h"
#include "fakes/world.h"
#include "launch/front_end_launch.h"

namespace korvane::testing {
namespace {

struct CommandLineRow {
  const char* name;
  const char16_t* programFolder;
  const char16_t* hostFolder;
  bool useMainFrontEnd;
  const char16_t* program;
  const char16_t* commandLine;
};

class HostCommandLine : public ::testing::TestWithParam<CommandLineRow> {};

TEST_P(HostCommandLine, StartsTheHostMaximisedOnTheChosenFrontEnd) {
  const CommandLineRow& row = GetParam();
  World w;
  w.StandardScene();
  w.host.programFolder = row.programFolder;
  w.automation.hostFolder = row.hostFolder;
  LaunchFrontEnd(w.launcher, row.useMainFrontEnd);
  EXPECT_EQ(w.host.started,
            (std::vector<StartedProcess>{{row.program, row.commandLine, kShowMaximized}}));
}

INSTANTIATE_TEST_SUITE_P(
    Branches, HostCommandLine,
    ::testing::Values(
        CommandLineRow{"MainFrontEnd", u"D:\\App", u"C:\\Office\\", true,
                       u"C:\\Office\\msaccess.exe",
                       u"C:\\Office\\msaccess.exe \"D:\\App\\系统前端.mde\" /wrkgrp: "
                       u"\"D:\\App\\Secured.mdw\" /user \"qorvu\" /pwd\"pelmo\""},
        CommandLineRow{"QueryFrontEnd", u"D:\\App", u"C:\\Office\\", false,
                       u"C:\\Office\\msaccess.exe",
                       u"C:\\Office\\msaccess.exe \"D:\\App\\查询系统.mde\" /wrkgrp: "
                       u"\"D:\\App\\Secured.mdw\" /user \"qorvu\" /pwd\"pelmo\""},
        CommandLineRow{"DriveRoot", u"C:\\", u"C:\\Office\\", true, u"C:\\Office\\msaccess.exe",
                       u"C:\\Office\\msaccess.exe \"C:\\\\系统前端.mde\" /wrkgrp: "
                       u"\"C:\\\\Secured.mdw\" /user \"qorvu\" /pwd\"pelmo\""},
        // The command line keeps the host path unquoted; the program path
        // names exactly the file to start.
        CommandLineRow{"HostFolderWithBlanks", u"D:\\App", u"C:\\Program Files\\Office\\", true,
                       u"C:\\Program Files\\Office\\msaccess.exe",
                       u"C:\\Program Files\\Office\\msaccess.exe \"D:\\App\\系统前端.mde\" "
                       u"/wrkgrp: \"D:\\App\\Secured.mdw\" /user \"qorvu\" /pwd\"pelmo\""}),
    [](const auto& info) { return std::string(info.param.name); });

const MessageBox kKorvaneRunning{u"Korvane正在运行", Text(u"系统运行状态"), MessageButtons::kOk};
const MessageBox kInitialise{u"是否进行数据后端初始化工作", Text(u"系统后端数据联接失败"),
                             MessageButtons::kYesNoDefaultNo};

struct DecisionRow {
  const char* name;
  std::optional<Text> runningName;
  std::vector<const char*> failing;
  std::optional<MessageAnswer> answer;
  std::vector<MessageBox> messages;
  bool started;
};

class LaunchDecision : public ::testing::TestWithParam<DecisionRow> {};

TEST_P(LaunchDecision, StartsTheHostOnlyWhenAllowed) {
  const DecisionRow& row = GetParam();
  World w;
  w.StandardScene();
  w.automation.runningName = row.runningName;
  if (row.answer) w.host.answers.push_back(*row.answer);
  for (const char* operation : row.failing) {
    w.log.Fail(operation, operation == std::string("Recordset.Open")
                              ? std::optional<Text>(kBackEndProbeQuery)
                              : std::nullopt);
  }

  EXPECT_EQ(w.Run([&] { LaunchFrontEnd(w.launcher, true); }), Outcome::kReturned);

  EXPECT_EQ(w.host.messages, row.messages);
  EXPECT_EQ(w.host.started.size(), row.started ? 1u : 0u);
  EXPECT_EQ(w.log.Calls().front().operation, "Window.SetVisible");
  EXPECT_EQ(w.engine.live, 0);
  EXPECT_EQ(w.automation.held, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LaunchDecision,
    ::testing::Values(
        DecisionRow{"NoHostRunning", std::nullopt, {}, std::nullopt, {}, true},
        DecisionRow{"HostRunsAnotherApplication", Text(u"Microsoft Access"), {}, {}, {}, true},
        DecisionRow{"NameComparedExactly", Text(u"korvane"), {}, {}, {}, true},
        DecisionRow{"KorvaneRunning", Text(u"Korvane"), {}, {}, {kKorvaneRunning}, false},
        DecisionRow{
            "NameUnreadable", Text(u"x"), {"RunningApplicationName"}, {}, {kKorvaneRunning}, false},
        DecisionRow{"WindowPropertyFails", std::nullopt, {"Window.SetVisible"}, {}, {}, true},
        DecisionRow{"ProbeFailsAnswerNo",
                    std::nullopt,
                    {"Recordset.Open"},
                    MessageAnswer::kNo,
                    {kInitialise},
                    false},
        DecisionRow{"ProbeFailsAnswerYes",
                    std::nullopt,
                    {"Recordset.Open"},
                    MessageAnswer::kYes,
                    {kInitialise},
                    true},
        DecisionRow{"ProbeCannotBeCreated",
                    std::nullopt,
                    {"CreateRecordset"},
                    MessageAnswer::kYes,
                    {kInitialise},
                    true},
        DecisionRow{"FrontEndCannotBeOpened",
                    std::nullopt,
                    {"Connection.Open"},
                    MessageAnswer::kYes,
                    {kInitialise},
                    true},
        DecisionRow{"QuestionCannotBeShown",
                    std::nullopt,
                    {"Recordset.Open", "ShowMessage"},
                    MessageAnswer::kYes,
                    {},
                    false},
        DecisionRow{"ProbeCloseFails", std::nullopt, {"Recordset.Close"}, {}, {}, true},
        DecisionRow{"HostFolderFails", std::nullopt, {"HostProgramFolder"}, {}, {}, false},
        DecisionRow{"ProgramFolderFails",
                    std::nullopt,
                    {"ProgramFolder"},
                    MessageAnswer::kYes,
                    {kInitialise},
                    false},
        DecisionRow{"StartProcessFails", std::nullopt, {"StartProcess"}, {}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LaunchDecision, KorvaneRunningStopsBeforeTheProbe) {
  World w;
  w.StandardScene();
  w.automation.runningName = u"Korvane";
  LaunchFrontEnd(w.launcher, true);
  EXPECT_EQ(w.log.Operations(),
            (std::vector<std::string>{"Window.SetVisible", "FindRunningHost",
                                      "RunningApplicationName", "ShowMessage"}));
}

class ProbeTarget : public ::testing::TestWithParam<bool> {};

// Both front-ends are started after probing the main front-end's link.
TEST_P(ProbeTarget, AlwaysOpensTheMainFrontEnd) {
  World w;
  w.StandardScene();
  LaunchFrontEnd(w.launcher, GetParam());
  const auto probes = w.log.CallsOf("Recordset.Open");
  ASSERT_EQ(probes.size(), 1u);
  EXPECT_EQ(probes[0].arguments,
            (std::vector<Text>{kBackEndProbeQuery,
                               FakeEngine::Expanded(MainFrontEndConnectionText(w.launcher)), u"3",
                               u"3", u"-1"}));
  EXPECT_EQ(kBackEndProbeQuery,
            Text(u"SELECT 代码,管理员ID, 姓名 FROM 人员编码 RIGHT JOIN 代码 ON 人员编码.操作id = "
                 u"代码.管理员ID WHERE 管理员ID>0"));
  // The probe is closed before the host folder is asked for.
  EXPECT_LT(*w.log.IndexOf("Recordset.Close"), *w.log.IndexOf("HostProgramFolder"));
}

INSTANTIATE_TEST_SUITE_P(BothFrontEnds, ProbeTarget, ::testing::Bool());

}  // namespace
}  // namespace korvane::testing
