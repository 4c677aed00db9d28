// 压缩后端数据 and 备份后端数据 through the real program: a read-only
// back-end's backup, and the back-end found by its link in another case.
// A back-end held open by a running Korvane: see the run command's test.

#include <fstream>

#include "e2e_fixture.h"
#include "linux/services/sqlite_database.h"

namespace korvane::e2e {
namespace {

constexpr char kCompact[] = "choose 压缩后端数据";
constexpr char kBackUp[] = "choose 备份后端数据";

// A read-only back-end gives a writable backup that the next backup replaces.
TEST_F(LauncherTest, BackUpCopiesTheBackEndBesideTheLauncherAndReplacesTheLastOne) {
  const std::string backUp = demo.App("Korvane后端备份.mdb");
  std::ofstream(backUp) << "an older backup";
  fs::permissions(demo.files.dataBackEnd, fs::perms::owner_read);

  const Outcome outcome = RunLauncher(demo, {kBackUp, "answer OK", kBackUp, "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kBackedUp, kBackedUp, "idle"}));
  EXPECT_EQ(ReadFile(backUp), ReadFile(demo.files.dataBackEnd));
  EXPECT_NE(fs::status(backUp).permissions() & fs::perms::owner_write, fs::perms::none);
}

// A back-end DATA.MDB is compacted as on Windows, where a link naming
// data.mdb finds it.
TEST_F(LauncherTest, CompactionFindsTheBackEndByALinkInAnotherCase) {
  const std::string backEnd = demo.folder.File("share/DATA.MDB");
  fs::rename(demo.files.dataBackEnd, backEnd);
  {
    const linux_edition::SqliteDatabase frontEnd(
        demo.files.frontEnd, linux_edition::SqliteDatabase::Mode::kReadWrite, demo.frontEnd);
    linux_edition::Statement link(frontEnd, "UPDATE MSysObjects SET Database = ?1 WHERE Type = ?2");
    link.Bind(1, demo.folder.WindowsFile("share/data.mdb"))
        .Bind(2, std::int64_t{linux_edition::kLinkedTableType});
    link.Step();
  }
  const std::string rows = Ask(backEnd, "SELECT COUNT(*) FROM 代码");

  const Outcome outcome = RunLauncher(demo, {kCompact, "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kCompacted, "idle"}));
  EXPECT_EQ(Ask(backEnd, "SELECT COUNT(*) FROM 代码"), rows);
  EXPECT_EQ(Listing(demo.Share()), std::vector<std::string>{"DATA.MDB"});
}

}  // namespace
}  // namespace korvane::e2e
