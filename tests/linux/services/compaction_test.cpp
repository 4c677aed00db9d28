// Compaction by the engine stand-in: a compacted copy under the
// destination's password, never over an existing file, never of a file
// open elsewhere.

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

#include "linux/services/compaction_fault.h"
#include "linux/services/file_lock.h"
#include "linux/services/keep_alive.h"
#include "linux/services/sqlite_database.h"
#include "maintenance/compacted_copy_check.h"
#include "support/engine_test.h"

#include "row_name.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;
using testing::Listing;
using testing::ReadFile;

class Compaction : public testing::EngineTest {
 protected:
  void Compact(const Text& sourcePassword = kDemoDatabasePassword,
               const Text& destinationPassword = kDemoDatabasePassword) {
    engine.CreateCompactionEngine()->CompactDatabase(
        DemoScene::CompactionText(scene.dataBackEnd, sourcePassword),
        DemoScene::CompactionText(scratch, destinationPassword));
  }
  // Whether the compacted copy opens under `password`.
  bool CopyOpensUnder(const Text& password) {
    return ErrorNumber([&] {
             engine.CreateCatalog()->Open(DemoScene::CompactionText(scratch, password));
           }) == 0;
  }

  std::string scratchPath = scene.folder.File("share/Korvane数据备份.mdb");
  Text scratch = scene.folder.WindowsFile("share/Korvane数据备份.mdb");
};

TEST_F(Compaction, CopyOpensUnderTheDestinationsPasswordOnly) {
  Compact(kDemoDatabasePassword, u"neu");
  EXPECT_TRUE(CopyOpensUnder(u"neu"));
  EXPECT_FALSE(CopyOpensUnder(kDemoDatabasePassword));
  EXPECT_EQ(Listing(scene.folder.File("share")),
            (std::vector<std::string>{"Korvane数据.mdb", "Korvane数据备份.mdb"}));
}

// A long compaction calls the keep-alive hook as it goes, so that a
// progress box stays painted; a hook that fails does not stop it. The space
// of a dropped table is not copied.
TEST_F(Compaction, GivesFreedSpaceBackAndKeepsAProgressBoxAliveNeverStoppedByIt) {
  SqliteDatabase(scene.files.dataBackEnd, SqliteDatabase::Mode::kReadWrite, u"")
      .Execute(
          "CREATE TABLE 日志 (x BLOB);"
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)"
          "INSERT INTO 日志 SELECT randomblob(100) FROM n;"
          "CREATE TABLE 旧日志 AS SELECT randomblob(400) FROM 日志; DROP TABLE 旧日志;");
  int calls = 0;
  SetKeepAliveHook([&calls] {
    ++calls;
    throw std::runtime_error("a box that fails");
  });
  const int error = ErrorNumber([&] { Compact(); });
  SetKeepAliveHook(nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_GT(calls, 0);
  EXPECT_TRUE(CompactedCopyIsComplete(engine, DemoScene::CompactionText(scene.dataBackEnd),
                                      DemoScene::CompactionText(scratch)));
  EXPECT_LT(ReadFile(scratchPath).size() * 3, ReadFile(scene.files.dataBackEnd).size());
}

// The disk runs full at every page of the copy in turn (files may grow to
// a limit at most): the compaction fails, the source stays as it was and
// nothing is left beside it.
TEST_F(Compaction, ADiskThatRunsFullKeepsNothingBehind) {
  Compact();
  const rlim_t size = ReadFile(scratchPath).size();
  ::unlink(scratchPath.c_str());
  const std::string source = ReadFile(scene.files.dataBackEnd);
  rlimit unlimited{};
  ::getrlimit(RLIMIT_FSIZE, &unlimited);
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead
  rlimit full = unlimited;
  for (full.rlim_cur = 0; full.rlim_cur < size; full.rlim_cur += 512) {
    SCOPED_TRACE("files limited to " + std::to_string(full.rlim_cur) + " bytes");
    ::setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_THROW(Compact(), Error);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    EXPECT_EQ(Listing(scene.folder.File("share")), std::vector<std::string>{"Korvane数据.mdb"});
    EXPECT_EQ(ReadFile(scene.files.dataBackEnd), source);
  }
}

// Each refusal leaves the source byte for byte as it was and makes no
// destination (or leaves an existing one as it was).
struct CompactionRefusal {
  const char* name;
  std::function<void(DemoScene&, FileLock& held)> arrange;
  const char16_t* sourcePassword;
  std::int32_t number;
};

class CompactionRefused : public Compaction,
                          public ::testing::WithParamInterface<CompactionRefusal> {};

TEST_P(CompactionRefused, LeavesTheSourceUntouched) {
  FileLock held;
  GetParam().arrange(scene, held);
  const std::string source = ReadFile(scene.files.dataBackEnd);
  const std::string existing = ReadFile(scratchPath);
  const auto before = Listing(scene.folder.File("share"));
  EXPECT_EQ(ErrorNumber([&] { Compact(GetParam().sourcePassword); }), GetParam().number);
  EXPECT_EQ(ReadFile(scene.files.dataBackEnd), source);
  EXPECT_EQ(ReadFile(scratchPath), existing);
  EXPECT_EQ(Listing(scene.folder.File("share")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompactionRefused,
    ::testing::Values(CompactionRefusal{"SourceOpenElsewhere",
                                        [](DemoScene& s, FileLock& held) {
                                          held = FileLock::Acquire(s.files.dataBackEnd,
                                                                   LockKind::kShared, u"");
                                        },
                                        kDemoDatabasePassword, 3045},
                      CompactionRefusal{"DestinationExists",
                                        [](DemoScene& s, FileLock&) {
                                          s.folder.Make("share/Korvane数据备份.mdb", "earlier");
                                        },
                                        kDemoDatabasePassword, 3204},
                      CompactionRefusal{"WrongSourcePassword", [](DemoScene&, FileLock&) {}, u"x",
                                        3031}),
    RowName());

// A compaction that leaves rows out, as the engine's repair of a damaged
// database may, gives a copy that the launcher's check keeps from taking
// the back-end's place.
TEST_F(Compaction, CopyThatLostRowsIsFoundIncomplete) {
  ::setenv(kCompactionFaultVariable, "lose-rows", 1);
  Compact();
  ::unsetenv(kCompactionFaultVariable);

  const auto catalog = engine.CreateCatalog();
  catalog->Open(DemoScene::CompactionText(scratch));
  EXPECT_EQ(catalog->RowCount(u"代码"), 6);
  catalog->Close();
  EXPECT_FALSE(CompactedCopyIsComplete(engine, DemoScene::CompactionText(scene.dataBackEnd),
                                       DemoScene::CompactionText(scratch)));
}

}  // namespace
}  // namespace korvane::linux_edition
