// Starting the database host: its command line, and what the running-host
// check, the back-end probe and the user's answer decide.

#include <gtest/gtest.h>

#include "database/back_end_link.h"
#include "fakes/world.h"
#include "launch/front_end_launch.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

// The command line keeps the host path unquoted; the program path names
// exactly the file to start.
TEST_F(LauncherTest, StartsTheHostMaximisedOnTheChosenFrontEnd) {
  LaunchFrontEnd(w.launcher, false);
  const Text program = u"C:\\Office\\msaccess.exe";
  EXPECT_EQ(w.log.CallsOf("StartProcess").at(0).arguments,
            (std::vector<Text>{
                program,
                program + u" \"D:\\App\\查询系统.mde\" /wrkgrp: \"D:\\App\\Secured.mdw\" /user "
                          u"\"qorvu\" /pwd\"pelmo\"",
                Arg(kShowMaximized)}));
  // The host's folder is asked before the launcher's own.
  const auto operations = w.log.Operations();
  EXPECT_EQ(std::vector<std::string>(operations.end() - 3, operations.end()),
            (std::vector<std::string>{"HostProgramFolder", "ProgramFolder", "StartProcess"}));
  // Either front-end is started after probing the main front-end's link.
  EXPECT_EQ(w.log.CallsOf("Recordset.Open").at(0).arguments,
            (std::vector<Text>{kBackEndProbeQuery,
                               FakeEngine::Expanded(MainFrontEndConnectionText(w.launcher)), u"3",
                               u"3", u"-1"}));
  EXPECT_EQ(w.log.Count("Recordset.Close"), 1u);
}

struct DecisionRow {
  const char* name;
  std::optional<Text> runningName;
  std::vector<std::string> failing;
  MessageAnswer answer;
  std::vector<MessageBox> messages;
  bool started;
};

class LaunchDecision : public ::testing::TestWithParam<DecisionRow> {};

TEST_P(LaunchDecision, StartsTheHostOnlyWhenAllowed) {
  const DecisionRow& row = GetParam();
  World w;
  w.automation.runningName = row.runningName;
  w.host.answer = row.answer;
  for (const std::string& operation : row.failing) w.log.Fail(operation);

  EXPECT_EQ(w.Run([&] { LaunchFrontEnd(w.launcher, true); }), Outcome::kReturned);

  EXPECT_EQ(w.host.messages, row.messages);
  EXPECT_EQ(w.log.Count("StartProcess"), row.started ? 1u : 0u);
  // The window is hidden first, before anything else is asked.
  EXPECT_EQ(w.log.Calls().front().operation, "Window.SetVisible");
  EXPECT_EQ(w.log.Calls().front().arguments, std::vector<Text>{u"False"});
}

constexpr auto kNo = MessageAnswer::kNo;
constexpr auto kYes = MessageAnswer::kYes;

INSTANTIATE_TEST_SUITE_P(
    Table, LaunchDecision,
    ::testing::Values(
        // A host that will not tell what it has open may have Korvane open.
        DecisionRow{
            "NameUnreadable", u"", {"RunningApplicationName"}, kYes, {kKorvaneRunning}, false},
        DecisionRow{
            "ProbeFailsAnswerNo", std::nullopt, {"Recordset.Open"}, kNo, {kInitialise}, false},
        DecisionRow{
            "ProbeFailsAnswerYes", std::nullopt, {"Recordset.Open"}, kYes, {kInitialise}, true},
        // A question that cannot be asked is not answered Yes.
        DecisionRow{
            "QuestionFails", std::nullopt, {"Recordset.Open", "ShowMessage"}, kYes, {}, false}),
    RowName());

}  // namespace
}  // namespace korvane::testing
