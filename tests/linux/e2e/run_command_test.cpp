// 运行 (数据操作前端): the Access stand-in started on the main front-end with
// the exact command line, maximised, when the back-end probe passes or the
// user answers its question Yes. The launcher ends after each. The Korvane
// it started holds its files: a second run says so, and a compaction and a
// backup leave the back-end alone.

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kRun[] = "choose 数据操作前端";

TEST_F(LauncherTest, RunStartsKorvaneWhichThenKeepsASecondRunACompactionAndABackUpOut) {
  const Outcome outcome = RunLauncher(demo, {kRun});

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, {kShown}));  // no "idle": the launcher ended
  const auto host = WaitForHost(demo);
  ASSERT_TRUE(LogMatches(host, HostStart(demo, "系统前端.mde", "opened=Korvane")));

  const Outcome second = RunLauncher(demo, {kRun, "answer OK"});
  EXPECT_TRUE(LogMatches(second.log, {kShown, "message 系统运行状态|Korvane正在运行|OK"}));
  EXPECT_EQ(HostLogAfterPause(demo), host);

  const std::string before = ReadFile(demo.files.dataBackEnd);
  const Outcome compaction = RunLauncher(demo, {"choose 压缩后端数据"});
  EXPECT_TRUE(LogMatches(compaction.log, {kShown, "idle"}));  // silently
  EXPECT_EQ(ReadFile(demo.files.dataBackEnd), before);

  const Outcome backUp = RunLauncher(demo, {"choose 备份后端数据"});
  EXPECT_TRUE(LogMatches(backUp.log, {kShown, "idle"}));  // silently
  EXPECT_FALSE(fs::exists(demo.App("Korvane后端备份.mdb")));

  // The log tells each command's end, and none of the passwords its
  // command line and connection texts carried.
  EXPECT_TRUE(LogMatches(Lines(demo.SupportLog()),
                         {Logged("数据操作前端\t已启动"), Logged("数据操作前端\tKorvane正在运行"),
                          Logged("压缩后端数据\t失败\t*"), Logged("备份后端数据\t失败\t*")}));
  const std::string log = ReadFile(demo.SupportLog());
  for (const char* password : {"pelmo", "tandr4820517"}) {
    EXPECT_EQ(log.find(password), std::string::npos) << password;
  }
}

TEST_F(LauncherTest, RunAsksWhenTheProbeFailsAndStartsTheHostOnYes) {
  fs::rename(demo.files.dataBackEnd, demo.App("away.mdb"));

  const Outcome outcome = RunLauncher(demo, {kRun, "answer Yes"});

  EXPECT_TRUE(LogMatches(
      outcome.log,
      {kShown, "message 系统后端数据联接失败|是否进行数据后端初始化工作|Yes/No default No"}));
  EXPECT_TRUE(LogMatches(WaitForHost(demo), HostStart(demo, "系统前端.mde", "*")));
}

}  // namespace
}  // namespace korvane::e2e
