// 压缩后端数据 and 备份后端数据 through the real program: the back-end found
// by its link in any case, a read-only back-end's backup, the not-found
// message, a back-end held open by a running Korvane, and a damaged copy.

#include <fstream>

#include "e2e_fixture.h"
#include "linux/services/compaction_fault.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

constexpr char kCompact[] = "choose 压缩后端数据";
constexpr char kBackUp[] = "choose 备份后端数据";
const std::string kNotFound = "message 出错信息|没有发现后端数据库文件无法进行操作|OK";

// A read-only back-end gives a writable backup that the next backup replaces.
TEST_F(LauncherTest, BackUpCopiesTheBackEndBesideTheLauncherAndReplacesTheLastOne) {
  const std::string backUp = "Korvane后端备份.mdb";
  std::ofstream(demo.InProgram(backUp)) << "an older backup";
  fs::permissions(demo.BackEnd(), fs::perms::owner_read);

  const Outcome outcome = RunLauncher(demo, {kBackUp, "answer OK", kBackUp, "answer OK"});

  const std::string done = "message 系统运行状态|后端数据备份工作已经结束|OK";
  EXPECT_TRUE(LogMatches(outcome.log, {kShown, done, done, "idle"}));
  EXPECT_EQ(ReadFile(demo.InProgram(backUp)), ReadFile(demo.BackEnd()));
  EXPECT_NE(fs::status(demo.InProgram(backUp)).permissions() & fs::perms::owner_write,
            fs::perms::none);
}

// A back-end DATA.MDB is compacted as on Windows, where its name in any
// case is that one file: a namesake in other case beside it (another file
// here) is never replaced, and a link naming data.mdb finds it.
struct NamedBackEnd {
  const char* name;
  std::string linked;     // the name the front-end's link gives DATA.MDB
  std::string neighbour;  // a file beside it, holding "other"; empty: none
};

class CompactionOf : public LauncherTest, public ::testing::WithParamInterface<NamedBackEnd> {};

TEST_P(CompactionOf, TakesTheBackEndsOwnNameOnly) {
  const NamedBackEnd& row = GetParam();
  const fs::path backEnd = demo.BackEnd().parent_path() / "DATA.MDB";
  fs::rename(demo.BackEnd(), backEnd);
  LinkBackEnd(demo, backEnd.parent_path() / row.linked);
  if (!row.neighbour.empty()) std::ofstream(backEnd.parent_path() / row.neighbour) << "other";
  const std::string rows = RowCount(backEnd, "代码");
  const auto files = Listing(backEnd.parent_path());

  const Outcome outcome = RunLauncher(demo, {kCompact, "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log,
                         {kShown, "message 系统运行状态|后端数据压缩工作已经结束|OK", "idle"}));
  EXPECT_EQ(RowCount(backEnd, "代码"), rows);
  EXPECT_EQ(Listing(backEnd.parent_path()), files);
  if (!row.neighbour.empty()) {
    EXPECT_EQ(ReadFile(backEnd.parent_path() / row.neighbour), "other");
  }
}

INSTANTIATE_TEST_SUITE_P(, CompactionOf,
                         ::testing::Values(NamedBackEnd{"BesideANamesake", "DATA.MDB", "DATA.mdb"},
                                           NamedBackEnd{"LinkedInOtherCase", "data.mdb", ""}),
                         RowName());

// The engine's compaction repairs a damaged back-end by leaving records out:
// that copy never takes the back-end's place, and is left for a look.
TEST_F(LauncherTest, CompactionThatLosesRowsKeepsTheBackEndAndLeavesTheCopySilently) {
  const std::string before = ReadFile(demo.BackEnd());

  const Outcome outcome =
      RunLauncher(demo, {kCompact}, {{linux_edition::kCompactionFaultVariable, "lose-rows"}});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, "idle"}));
  EXPECT_EQ(ReadFile(demo.BackEnd()), before);
  EXPECT_TRUE(fs::exists(demo.BackEnd().parent_path() / "Korvane数据备份.mdb"));
}

TEST_F(LauncherTest, BackUpSaysNoBackEndWasFoundAndMakesNoFile) {
  fs::remove(demo.BackEnd());

  const Outcome outcome = RunLauncher(demo, {kBackUp, "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kNotFound, "idle"}));
  EXPECT_FALSE(fs::exists(demo.InProgram("Korvane后端备份.mdb")));
  EXPECT_TRUE(fs::is_empty(demo.BackEnd().parent_path()));
}

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
