// Compaction by the engine stand-in: a compacted copy under the
// destination's password, never over an existing file, never of a file
// open elsewhere.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <csignal>

#include <algorithm>
#include <cstdlib>

#include "database/database_engine.h"
#include "linux/services/compaction_fault.h"
#include "linux/services/connection_text.h"
#include "linux/services/jet_database.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/utf8_text.h"
#include "maintenance/compacted_copy_check.h"
#include "platform/error.h"
#include "support/demo_scene.h"
#include "support/lock_holder.h"

#include "row_name.h"

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
  Text scratch = scene.folder.WindowsFile("share/Korvane数据备份.mdb");

  void Compact(const Text& sourcePassword = kDemoDatabasePassword,
               const Text& destinationPassword = kDemoDatabasePassword) {
    engine.CreateCompactionEngine()->CompactDatabase(
        DemoScene::CompactionText(scene.dataBackEnd, sourcePassword),
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
  EXPECT_NO_THROW(OpenBackEnd(scratch, kDemoDatabasePassword));
  EXPECT_THROW(OpenBackEnd(scratch, u"other"), Error);
  EXPECT_EQ(Listing(scene.folder.File("share")),
            (std::vector<std::string>{"Korvane数据.mdb", "Korvane数据备份.mdb"}));
  ::unlink(scratchPath.c_str());
  Compact(kDemoDatabasePassword, u"neu");
  EXPECT_NO_THROW(OpenBackEnd(scratch, u"neu"));
  EXPECT_THROW(OpenBackEnd(scratch, kDemoDatabasePassword), Error);
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
  EXPECT_LT(ReadFile(scratchPath).size() * 10, ReadFile(scene.files.dataBackEnd).size());
}

// Files may grow to a limit at most while it lives, as on a disk that is
// nearly full.
class DiskFullAt {
 public:
  explicit DiskFullAt(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAt() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, signal_);
  }
  DiskFullAt(const DiskFullAt&) = delete;
  DiskFullAt& operator=(const DiskFullAt&) = delete;

 private:
  rlimit saved_{};
  void (*signal_)(int) = nullptr;
};

// The disk runs full at every page of the copy in turn: the compaction
// fails, the source stays as it was and nothing is left beside it.
TEST_F(Compaction, ADiskThatRunsFullKeepsNothingBehind) {
  Compact();
  const rlim_t size = ReadFile(scratchPath).size();
  ::unlink(scratchPath.c_str());
  const std::string source = ReadFile(scene.files.dataBackEnd);
  for (rlim_t limit = 0; limit < size; limit += 512) {
    SCOPED_TRACE("files limited to " + std::to_string(limit) + " bytes");
    {
      const DiskFullAt full(limit);
      EXPECT_THROW(Compact(), Error);
    }
    EXPECT_EQ(Listing(scene.folder.File("share")), std::vector<std::string>{"Korvane数据.mdb"});
    EXPECT_EQ(ReadFile(scene.files.dataBackEnd), source);
  }
}

// Each refusal leaves the source byte for byte as it was and makes no
// destination (or leaves an existing one as it was).
enum class Arrangement { kNothing, kSourceOpenElsewhere, kDestinationExists, kSourceMissing };

struct CompactionRefusal {
  const char* name;
  Arrangement arrangement;
  const char16_t* sourcePassword;
  std::int32_t number;
};

class CompactionRefused : public Compaction,
                          public ::testing::WithParamInterface<CompactionRefusal> {};

TEST_P(CompactionRefused, LeavesTheSourceUntouched) {
  std::unique_ptr<LockHolder> holder;
  switch (GetParam().arrangement) {
    case Arrangement::kNothing:
      break;
    case Arrangement::kSourceOpenElsewhere:
      holder = std::make_unique<LockHolder>(scene.files.dataBackEnd, LockKind::kShared);
      break;
    case Arrangement::kDestinationExists:
      scene.folder.Make("share/Korvane数据备份.mdb", "earlier");
      break;
    case Arrangement::kSourceMissing:
      ::unlink(scene.files.dataBackEnd.c_str());
      break;
  }
  const std::string source = ReadFile(scene.files.dataBackEnd);
  const std::string existing = ReadFile(scratchPath);
  const auto before = Listing(scene.folder.File("share"));
  try {
    Compact(GetParam().sourcePassword);
    ADD_FAILURE() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), GetParam().number) << ToUtf8(error.Description());
  }
  EXPECT_EQ(ReadFile(scene.files.dataBackEnd), source);
  EXPECT_EQ(ReadFile(scratchPath), existing);
  EXPECT_EQ(Listing(scene.folder.File("share")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompactionRefused,
    ::testing::Values(CompactionRefusal{"SourceOpenElsewhere", Arrangement::kSourceOpenElsewhere,
                                        kDemoDatabasePassword, 3045},
                      CompactionRefusal{"DestinationExists", Arrangement::kDestinationExists,
                                        kDemoDatabasePassword, 3204},
                      CompactionRefusal{"WrongSourcePassword", Arrangement::kNothing, u"x", 3031},
                      CompactionRefusal{"SourceMissing", Arrangement::kSourceMissing,
                                        kDemoDatabasePassword, 3024}),
    RowName());

// The compaction told to damage its copy as a repair would, what the copy
// then holds, and whether the launcher's check lets it take the back-end's
// place.
struct DamageCase {
  const char* name;
  const char* fault;  // nothing: the variable unset
  std::vector<std::int64_t> copyRows;
  bool errorTable;
  bool complete;
};

class CompactionDamage : public Compaction, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(CompactionDamage, IsWhatTheCheckFinds) {
  if (GetParam().fault) ::setenv(kCompactionFaultVariable, GetParam().fault, 1);
  Compact();
  ::unsetenv(kCompactionFaultVariable);

  const auto catalog = engine.CreateCatalog();
  catalog->Open(DemoScene::CompactionText(scratch));
  const std::vector<Text> names = catalog->TableNames();
  std::vector<std::int64_t> rows{catalog->RowCount(u"人员编码"), catalog->RowCount(u"代码")};
  catalog->Close();
  EXPECT_EQ(rows, GetParam().copyRows);
  EXPECT_EQ(std::count(names.begin(), names.end(), u"MSysCompactError"), GetParam().errorTable);
  EXPECT_EQ(CompactedCopyIsComplete(engine, DemoScene::CompactionText(scene.dataBackEnd),
                                    DemoScene::CompactionText(scratch)),
            GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompactionDamage,
    ::testing::Values(DamageCase{"Unset", nullptr, {6, 7}, false, true},
                      DamageCase{"LoseRows", "lose-rows", {5, 6}, false, false},
                      DamageCase{"ErrorTable", "error-table", {6, 7}, true, false}),
    RowName());

}  // namespace
}  // namespace korvane::linux_edition
