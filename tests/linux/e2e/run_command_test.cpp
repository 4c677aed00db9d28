// 运行 (数据操作前端): the Access stand-in started on the main front-end with
// the exact command line, maximised, when the back-end probe passes or the
// user answers its question Yes; a Korvane already running. The launcher
// ends after each.

#include "e2e_fixture.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

constexpr char kRun[] = "choose 数据操作前端";

struct RunRow {
  const char* name;
  bool backEndLinked;
  std::vector<std::string> script;
  std::vector<std::string> expectedLog;
};

class RunCommand : public LauncherTest, public ::testing::WithParamInterface<RunRow> {};

TEST_P(RunCommand, StartsTheHostOnTheMainFrontEnd) {
  if (!GetParam().backEndLinked) fs::rename(demo.files.dataBackEnd, demo.App("away.mdb"));

  const Outcome outcome = RunLauncher(demo, GetParam().script);

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, GetParam().expectedLog));  // no "idle": the launcher ended
  const auto starts = WaitForHostStarts(demo, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].arguments, HostArguments(demo, "系统前端.mde"));
  EXPECT_EQ(starts[0].show, "3");
  if (GetParam().backEndLinked) {
    EXPECT_EQ(starts[0].outcome, "opened=Korvane");
  }
}

INSTANTIATE_TEST_SUITE_P(
    , RunCommand,
    ::testing::Values(RunRow{"ProbePasses", true, {kRun}, {kShown}},
                      RunRow{"ProbeFailsAnsweredYes",
                             false,
                             {kRun, "answer Yes"},
                             {kShown,
                              "message 系统后端数据联接失败|是否进行数据后端初始化工作|Yes/No "
                              "default No"}}),
    RowName());

TEST_F(LauncherTest, RunSaysSoWhenKorvaneIsAlreadyRunning) {
  ASSERT_TRUE(LogMatches(RunLauncher(demo, {kRun}).log, {kShown}));
  ASSERT_EQ(WaitForHostStarts(demo, 1).size(), 1u);

  const Outcome second = RunLauncher(demo, {kRun, "answer OK"});

  EXPECT_EQ(second.exitCode, 0);
  EXPECT_TRUE(LogMatches(second.log, {kShown, "message 系统运行状态|Korvane正在运行|OK"}));
  EXPECT_EQ(HostStartsAfterPause(demo).size(), 1u);
}

}  // namespace
}  // namespace korvane::e2e
