// 压缩后端数据 and 备份后端数据 through the real program: a read-only
// back-end's backup over a read-only backup, a cancelled backup, and a
// back-end that another user writes all along. A back-end held open by a
// running Korvane: see the run command's test.

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <memory>
#include <thread>

#include "e2e_fixture.h"
#include "linux/services/sqlite_database.h"
#include "platform/error.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

constexpr char kCompact[] = "choose 压缩后端数据";
constexpr char kBackUp[] = "choose 备份后端数据";

// A read-only back-end gives a writable backup that the next backup
// replaces; a backup made read-only meanwhile gives way too.
TEST_F(LauncherTest, BackUpCopiesTheBackEndBesideTheLauncherAndReplacesTheLastOne) {
  const std::string backUp = demo.App("Korvane后端备份.mdb");
  std::ofstream(backUp) << "an older backup";
  fs::permissions(backUp, fs::perms::owner_read);
  fs::permissions(demo.files.dataBackEnd, fs::perms::owner_read);

  const Outcome outcome = RunLauncher(demo, {kBackUp, "answer OK", kBackUp, "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kBackedUp, kBackedUp, "idle"}));
  EXPECT_EQ(ReadFile(backUp), ReadFile(demo.files.dataBackEnd));
  EXPECT_NE(fs::status(backUp).permissions() & fs::perms::owner_write, fs::perms::none);
  const std::string done = Logged("备份后端数据\t完成");
  EXPECT_TRUE(LogMatches(Lines(demo.SupportLog()), {done, done}));
}

// On a share slow enough for the backup to last seconds, the box shows
// while the copy is under way and the user cancels it: the last backup
// stays, nothing is left beside it and no message follows; the log tells.
TEST_F(LauncherTest, BackUpCancelledKeepsTheLastBackUpAndSaysNothing) {
  demo.GrowBackEnd();
  fs::copy_file(demo.files.frontEnd, demo.App("查询系统.mde"));
  std::ofstream(demo.App("Korvane后端备份.mdb")) << "an older backup";
  const auto programFiles = Listing(demo.folder.File("app"));

  const Outcome outcome = LauncherProcess(demo, {kBackUp, "progress cancel"}, SlowShare()).Finish();

  EXPECT_TRUE(LogMatches(outcome.log,
                         {kShown, "progress 系统运行状态|正在备份后端数据…|under way", "idle"}));
  EXPECT_EQ(ReadFile(demo.App("Korvane后端备份.mdb")), "an older backup");
  EXPECT_EQ(Listing(demo.folder.File("app")), programFiles);
  EXPECT_TRUE(LogMatches(
      Lines(demo.SupportLog()),
      {Logged("备份后端数据\t失败\t错误 " + std::to_string(ECANCELED) + "\tCopyFile\t*")}));
}

// Another user writes the back-end all along: a SQLite connection of its
// own, outside the launcher's process, sets v of every row of 计数 to the
// number of its transaction, one transaction after another, each held open
// `openMs` before it commits, `pauseMs` apart. A transaction that fails (a
// busy file, a file replaced under it) is rolled back and tried again on a
// fresh connection. Whatever each run shows, the file the command wrote
// holds the rows of one transaction, a sound database, and no committed
// transaction is lost from the back-end.
struct WriterPace {
  int openMs;
  int pauseMs;
};

class ConcurrentWriter {
 public:
  ConcurrentWriter(const std::string& database, WriterPace pace)
      : thread_([this, database, pace](std::stop_token stop) { Write(database, pace, stop); }) {}
  // Stops once the transaction in progress is done; the number of the last
  // one committed (0: none).
  std::int64_t Stop() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
    return committed_;
  }

 private:
  void Write(const std::string& database, WriterPace pace, const std::stop_token& stop) {
    using linux_edition::SqliteDatabase;
    std::unique_ptr<SqliteDatabase> db;
    while (!stop.stop_requested()) {
      try {
        if (!db) {
          // As eager a writer as can be: it takes the file back the moment a
          // reader lets it go, and with commits that do not wait for the disk
          // and a small page cache, a big transaction writes the file all
          // along its course rather than only as it commits.
          db = std::make_unique<SqliteDatabase>(database, SqliteDatabase::Mode::kReadWrite, u"");
          sqlite3_busy_handler(
              db->Handle(),
              [](void*, int attempts) -> int { return attempts < 20000 && ::usleep(100) == 0; },
              nullptr);
          db->Execute("PRAGMA synchronous = OFF; PRAGMA cache_size = 100;");
        }
        db->Execute("BEGIN IMMEDIATE");
        linux_edition::Statement(*db, "UPDATE 计数 SET v = ?1").Bind(1, committed_ + 1).Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(pace.openMs));
        db->Execute("COMMIT");
        ++committed_;
      } catch (const Error&) {
        db.reset();  // closing rolls back what did not commit
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(pace.pauseMs));
    }
  }

  std::int64_t committed_ = 0;
  std::jthread thread_;
};

struct WriterScene {
  const char* name;
  const char* command;
  bool backUp;  // the command writes the backup; else the back-end
  int rows;     // of the table written
  WriterPace pace;
};

class WrittenMeanwhile : public LauncherTest, public ::testing::WithParamInterface<WriterScene> {};

TEST_P(WrittenMeanwhile, KeepsEveryCommitAndCopiesOneState) {
  constexpr int kRuns = 6;
  const WriterScene& scene = GetParam();
  linux_edition::SqliteDatabase(demo.files.dataBackEnd,
                                linux_edition::SqliteDatabase::Mode::kReadWrite, u"")
      .Execute(
          "CREATE TABLE 计数 (v INTEGER, pad BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION "
          "ALL SELECT i + 1 FROM n WHERE i < " +
          std::to_string(scene.rows) + ") INSERT INTO 计数 SELECT 0, randomblob(1000) FROM n;");
  const std::string written =
      scene.backUp ? demo.App("Korvane后端备份.mdb") : demo.files.dataBackEnd;
  ConcurrentWriter writer(demo.files.dataBackEnd, scene.pace);

  for (int run = 0; run < kRuns; ++run) {
    const Outcome outcome = RunLauncher(demo, {scene.command, "maybe answer OK"});
    ASSERT_EQ(outcome.exitCode, 0) << "run " << run;
    if (!fs::exists(written)) continue;
    EXPECT_EQ(Ask(written,
                  "SELECT (SELECT quick_check FROM pragma_quick_check) || ' ' || "
                  "count(DISTINCT v) FROM 计数"),
              "ok 1")
        << "run " << run;
  }

  EXPECT_TRUE(fs::exists(written));  // the backup is not refused every time
  const std::int64_t committed = writer.Stop();
  EXPECT_GT(committed, 0);
  EXPECT_EQ(Ask(demo.files.dataBackEnd, "SELECT max(v) FROM 计数"), std::to_string(committed));
}

INSTANTIATE_TEST_SUITE_P(, WrittenMeanwhile,
                         // A compaction meets a transaction open most of the time; a backup
                         // meets transactions of some 2 MB each, one right after another.
                         ::testing::Values(WriterScene{"Compaction", kCompact, false, 1, {50, 3}},
                                           WriterScene{"BackUp", kBackUp, true, 2000, {0, 1}}),
                         RowName());

}  // namespace
}  // namespace korvane::e2e
