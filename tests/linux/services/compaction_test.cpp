// Compaction by the engine stand-in: a compacted copy under the
// destination's password, never over an existing file, never of a file
// open elsewhere.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include "database/database_engine.h"
#include "linux/services/connection_text.h"
#include "linux/services/jet_database.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "support/demo_scene.h"
#include "support/lock_holder.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;
using testing::Listing;
using testing::LockHolder;
using testing::ReadFile;

class Compaction : public ::testing::Test {
 protected:
  DemoScene scene;
  SqliteDatabaseEngine engine;
  std::string scratchPath = scene.folder.File("share/Korvane数据备份.mdb");
  Text scratch = DriveMap().ToWindows(scratchPath);

  void Compact(const Text& destinationPassword = u"tandr4820517") {
    engine.CreateCompactionEngine()->CompactDatabase(
        DemoScene::CompactionText(scene.dataBackEnd),
        DemoScene::CompactionText(scratch, destinationPassword));
  }
  // Opens the back-end file at `file` under `password`.
  static void OpenBackEnd(const Text& file, const Text& password) {
    ConnectionSettings settings;
    settings.provider = Text(kJetProvider);
    settings.dataSource = file;
    settings.databasePassword = password;
    const JetDatabase database(settings);
  }
};

TEST_F(Compaction, CopyOpensUnderTheDestinationsPasswordOnly) {
  Compact();
  EXPECT_NO_THROW(OpenBackEnd(scratch, u"tandr4820517"));
  EXPECT_THROW(OpenBackEnd(scratch, u"other"), Error);
  EXPECT_EQ(Listing(scene.folder.File("share")),
            (std::vector<std::string>{"Korvane数据.mdb", "Korvane数据备份.mdb"}));
  ::unlink(scratchPath.c_str());
  Compact(u"neu");
  EXPECT_NO_THROW(OpenBackEnd(scratch, u"neu"));
  EXPECT_THROW(OpenBackEnd(scratch, u"tandr4820517"), Error);
}

TEST_F(Compaction, FreedSpaceIsGivenBack) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(scene.files.dataBackEnd.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(db,
                   "CREATE TABLE 日志 (x BLOB);"
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                   "INSERT INTO 日志 SELECT randomblob(1000) FROM n;"
                   "DELETE FROM 日志;",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(db);
  Compact();
  struct stat before {
  }, after{};
  ::stat(scene.files.dataBackEnd.c_str(), &before);
  ::stat(scratchPath.c_str(), &after);
  EXPECT_LT(after.st_size * 10, before.st_size);
}

TEST_F(Compaction, CopyOfAReadOnlyBackEndIsWritable) {
  ::chmod(scene.files.dataBackEnd.c_str(), 0444);
  Compact();
  struct stat status {};
  ::stat(scratchPath.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
}

struct CompactionRefusal {
  const char* name;
  std::function<std::unique_ptr<LockHolder>(DemoScene&, const std::string& scratch)> arrange;
  const char16_t* sourcePassword;
  std::int32_t number;
};

class CompactionRefused : public Compaction,
                          public ::testing::WithParamInterface<CompactionRefusal> {};

// The source stays byte for byte as it was and no destination appears
// (or an existing one stays as it was).
TEST_P(CompactionRefused, LeavesTheSourceUntouched) {
  const auto holder = GetParam().arrange(scene, scratchPath);
  const std::string source = ReadFile(scene.files.dataBackEnd);
  const std::string existing = ReadFile(scratchPath);
  const auto before = Listing(scene.folder.File("share"));
  try {
    engine.CreateCompactionEngine()->CompactDatabase(
        DemoScene::CompactionText(scene.dataBackEnd, GetParam().sourcePassword),
        DemoScene::CompactionText(scratch));
    ADD_FAILURE() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), GetParam().number) << ToUtf8(error.Description());
  }
  EXPECT_EQ(ReadFile(scene.files.dataBackEnd), source);
  EXPECT_EQ(ReadFile(scratchPath), existing);
  EXPECT_EQ(Listing(scene.folder.File("share")), before);
}

std::unique_ptr<LockHolder> Nothing(DemoScene&, const std::string&) {
  return nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompactionRefused,
    ::testing::Values(CompactionRefusal{"SourceOpenElsewhere",
                                        [](DemoScene& s, const std::string&) {
                                          return std::make_unique<LockHolder>(s.files.dataBackEnd,
                                                                              LockKind::kShared);
                                        },
                                        u"tandr4820517", 3045},
                      CompactionRefusal{"DestinationExists",
                                        [](DemoScene& s, const std::string& scratch) {
                                          s.folder.Make("share/Korvane数据备份.mdb", "earlier");
                                          (void)scratch;
                                          return std::unique_ptr<LockHolder>();
                                        },
                                        u"tandr4820517", 3204},
                      CompactionRefusal{"WrongSourcePassword", Nothing, u"tandr4820518", 3031},
                      CompactionRefusal{"SourceMissing",
                                        [](DemoScene& s, const std::string&) {
                                          ::unlink(s.files.dataBackEnd.c_str());
                                          return std::unique_ptr<LockHolder>();
                                        },
                                        u"tandr4820517", 3024}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::linux_edition
