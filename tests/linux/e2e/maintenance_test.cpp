// 压缩后端数据 and 备份后端数据: their completion messages, the not-found
// message, and a back-end held open by a running Korvane.

#include <fstream>

#include "database/database_engine.h"
#include "e2e_fixture.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/utf8_text.h"

namespace korvane::e2e {
namespace {

constexpr char kCompact[] = "choose 压缩后端数据";
constexpr char kBackUp[] = "choose 备份后端数据";
const std::string kNotFound = "message 出错信息|没有发现后端数据库文件无法进行操作|OK";

// The rows of the back-end's table 代码, read as the launcher's engine reads
// it, under the back-end's database password.
std::string CodeRows(const fs::path& backEnd) {
  linux_edition::SqliteDatabaseEngine engine;
  auto rows = engine.CreateRecordset();
  rows->Open(u"SELECT COUNT(*) FROM 代码",
             u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password='tandr4820517';"
             u"Data Source=" +
                 WindowsPath(backEnd),
             kStaticCursor, kOptimisticLock, kNoOptions);
  return ToUtf8(rows->FirstFieldText());
}

TEST_F(LauncherTest, CompactionReplacesTheBackEndWithACopyUnderItsPassword) {
  const std::string rowsBefore = CodeRows(demo.BackEnd());

  const Outcome outcome = RunLauncher(demo, {kCompact, "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log,
                         {kShown, "message 系统运行状态|后端数据压缩工作已经结束|OK", "idle"}));
  EXPECT_EQ(CodeRows(demo.BackEnd()), rowsBefore);
  EXPECT_FALSE(fs::exists(demo.BackEnd().parent_path() / "Korvane数据备份.mdb"));
}

TEST_F(LauncherTest, BackupCopiesTheBackEndBesideTheLauncherAndReplacesTheLastOne) {
  const std::string backUp = "Korvane后端备份.mdb";
  {
    std::ofstream stale(demo.InProgram(backUp));
    stale << "an older backup";
  }

  const Outcome outcome = RunLauncher(demo, {kBackUp, "answer OK", kBackUp, "answer OK"});

  const std::string done = "message 系统运行状态|后端数据备份工作已经结束|OK";
  EXPECT_TRUE(LogMatches(outcome.log, {kShown, done, done, "idle"}));
  EXPECT_EQ(ReadFile(demo.InProgram(backUp)), ReadFile(demo.BackEnd()));
}

class MissingBackEnd : public LauncherTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingBackEnd, SaysNoBackEndWasFoundAndMakesNoFile) {
  fs::remove(demo.BackEnd());

  const Outcome outcome = RunLauncher(demo, {GetParam(), "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kNotFound, "idle"}));
  EXPECT_FALSE(fs::exists(demo.InProgram("Korvane后端备份.mdb")));
  EXPECT_TRUE(fs::is_empty(demo.BackEnd().parent_path()));
}

INSTANTIATE_TEST_SUITE_P(, MissingBackEnd, ::testing::Values(kCompact, kBackUp),
                         [](const auto& info) {
                           return std::string(info.index == 0 ? "Compact" : "BackUp");
                         });

TEST_F(LauncherTest, CompactionOfABackEndInUseFailsSilentlyAndLeavesItAsItWas) {
  ASSERT_TRUE(LogMatches(RunLauncher(demo, {"choose 数据操作前端"}).log, {kShown}));
  const auto starts = WaitForHostStarts(demo, 1);
  ASSERT_EQ(starts.size(), 1u);
  ASSERT_EQ(starts[0].outcome, "opened=Korvane");  // holding its back-end open
  const std::string before = ReadFile(demo.BackEnd());

  const Outcome outcome = RunLauncher(demo, {kCompact});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, "idle"}));
  EXPECT_EQ(ReadFile(demo.BackEnd()), before);
}

}  // namespace
}  // namespace korvane::e2e
