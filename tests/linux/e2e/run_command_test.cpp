// 运行 (数据操作前端): the Access stand-in started on the main front-end with
// the exact command line, maximised; the back-end probe and its question;
// a Korvane already running. The launcher ends after each.

#include "e2e_fixture.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

constexpr char kRun[] = "choose 数据操作前端";
const std::string kQuestion =
    "message 系统后端数据联接失败|是否进行数据后端初始化工作|Yes/No default No";

struct RunRow {
  const char* name;
  bool backEndLinked;
  std::vector<std::string> answers;
  std::vector<std::string> expectedLog;
  bool hostStarted;
};

class RunCommand : public LauncherTest, public ::testing::WithParamInterface<RunRow> {};

TEST_P(RunCommand, StartsTheHostOnlyWhenTheLinkWorksOrTheUserSaysYes) {
  const RunRow& row = GetParam();
  if (!row.backEndLinked) fs::rename(demo.BackEnd(), demo.BackEnd().string() + ".away");
  std::vector<std::string> script{kRun};
  script.insert(script.end(), row.answers.begin(), row.answers.end());

  const Outcome outcome = RunLauncher(demo, script);

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, row.expectedLog));  // no "idle": the launcher ended
  const auto starts = row.hostStarted ? WaitForHostStarts(demo, 1) : HostStartsAfterPause(demo);
  ASSERT_EQ(starts.size(), row.hostStarted ? 1u : 0u);
  if (row.hostStarted) {
    EXPECT_EQ(starts[0].arguments, HostArguments(demo, "系统前端.mde"));
    EXPECT_EQ(starts[0].show, "3");
    if (row.backEndLinked) {
      EXPECT_EQ(starts[0].outcome, "opened=Korvane");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    , RunCommand,
    ::testing::Values(
        RunRow{"ProbePasses", true, {}, {kShown}, true},
        RunRow{"ProbeFailsAnsweredNo", false, {"answer No"}, {kShown, kQuestion}, false},
        RunRow{"ProbeFailsAnsweredYes", false, {"answer Yes"}, {kShown, kQuestion}, true}),
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
