// The host services' outcomes on real files: copies, deletions, renames,
// replacements and holds against writers, with files locked by other
// processes (the engine's way and SQLite's) and read-only files; and the
// stamps that tell whether a file was written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "linux/services/file_lock.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/utf8_text.h"
#include "platform/error.h"
#include "support/scratch_folder.h"

#include "row_name.h"

namespace korvane::linux_edition {
namespace {

using std::filesystem::exists;
using testing::Listing;
using testing::ReadFile;
using testing::ScratchFolder;

class HostServicesFiles : public ::testing::Test {
 protected:
  ScratchFolder folder;
  PosixHostServices host{[](auto&&...) { return MessageAnswer::kOk; }};

  Text Win(const std::string& name) const { return folder.WindowsFile(name); }
};

// A copy over what may lie in the way, watched by the user: each report
// counts the bytes copied so far of the source's size, and the copy goes on
// only while the user has not cancelled. Done, the destination has the
// source's bytes and is writable whatever the modes were; cancelled at any
// report, even the last, it raises and leaves the destination as it was.
// No scratch file stays either way.
using CancelsAt = bool (*)(std::uint64_t done, std::uint64_t total);

struct CopyScene {
  const char* name;
  mode_t sourceMode;
  const char* destination;  // nullptr: none
  mode_t destinationMode;
  const char* leftover;         // a killed copy's scratch file; nullptr: none
  CancelsAt cancels = nullptr;  // nullptr: never
};

struct RecordedProgress : Progress {
  explicit RecordedProgress(CancelsAt when) : cancels(when) {}
  bool Advance(std::uint64_t done, std::uint64_t total) noexcept override {
    last = {done, total};
    return !(cancels && cancels(done, total));
  }
  CancelsAt cancels;
  std::pair<std::uint64_t, std::uint64_t> last;  // the last report
};

class Copied : public HostServicesFiles, public ::testing::WithParamInterface<CopyScene> {};

TEST_P(Copied, ReportsEachPieceAndIsCompleteAndWritableUnlessCancelled) {
  const CopyScene& row = GetParam();
  const std::uint64_t size = (std::uint64_t{3} << 20) + 7;  // over the copy's first piece
  ::chmod(folder.Make("a.mdb", std::string(size, 'a')).c_str(), row.sourceMode);
  if (row.destination) ::chmod(folder.Make("b.mdb", row.destination).c_str(), row.destinationMode);
  if (row.leftover) folder.Make(row.leftover, std::string(1 << 20, 'p'));
  const std::string before = ReadFile(folder.File("b.mdb"));

  RecordedProgress progress(row.cancels);
  int error = 0;
  try {
    host.CopyFileWithProgress(Win("a.mdb"), Win("b.mdb"), progress);
  } catch (const Error& raised) {
    error = raised.Number();
  }

  const auto [done, total] = progress.last;
  EXPECT_EQ(total, size);
  EXPECT_EQ(Listing(folder.Path()), (std::vector<std::string>{"a.mdb", "b.mdb"}));
  if (row.cancels) {
    EXPECT_EQ(error, ECANCELED);
    EXPECT_TRUE(row.cancels(done, total)) << "reported on after the cancel";
    EXPECT_EQ(ReadFile(folder.File("b.mdb")), before);
    return;
  }
  EXPECT_EQ(error, 0);
  EXPECT_EQ(done, size);
  EXPECT_EQ(ReadFile(folder.File("b.mdb")), ReadFile(folder.File("a.mdb")));
  struct stat status {};
  ASSERT_EQ(::stat(folder.File("b.mdb").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, row.sourceMode | S_IWUSR);
  // The next copy over it is never refused for its mode.
  EXPECT_NO_THROW(host.CopyFile(Win("a.mdb"), Win("b.mdb")));
}

bool BeforeAnyByte(std::uint64_t done, std::uint64_t) {
  return done == 0;
}
bool Midway(std::uint64_t done, std::uint64_t total) {
  return done > 0 && done < total;
}
bool WithEveryByteCopied(std::uint64_t done, std::uint64_t total) {
  return done == total;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Copied,
    ::testing::Values(
        CopyScene{"New", 0640, nullptr, 0, nullptr},
        CopyScene{"OfAReadOnlySource", 0444, nullptr, 0, nullptr},
        CopyScene{"OverAReadOnlyFile", 0644, "old", 0444, nullptr},
        CopyScene{"BesideWhatAKilledCopyLeft", 0644, "old", 0644, "b.mdb.copying"},
        CopyScene{"CancelledBeforeAnyByte", 0644, "old", 0644, nullptr, BeforeAnyByte},
        CopyScene{"CancelledMidway", 0644, "old", 0644, nullptr, Midway},
        CopyScene{"CancelledWithEveryByteCopied", 0644, "old", 0644, nullptr, WithEveryByteCopied}),
    RowName());

// How a file stands in the way of an operation; what is returned keeps the
// obstacle in place.
using Obstacle = std::shared_ptr<void>;

Obstacle OpenElsewhere(const std::string& path) {
  return std::make_shared<FileLock>(FileLock::Acquire(path, LockKind::kShared, u""));
}
Obstacle None(const std::string&) {
  return nullptr;
}
Obstacle ReadOnly(const std::string& path) {
  ::chmod(path.c_str(), 0444);
  return nullptr;
}

// A SQLite writer's lock, a classic fcntl() lock as SQLite takes it, on one
// of its lock bytes: that of an open write transaction, that of a commit on
// its way, or the readers' range, which a committing writer has to itself.
struct SqliteLock {
  explicit SqliteLock(const std::string& path) : fd(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {}
  SqliteLock(const SqliteLock&) = delete;
  ~SqliteLock() { ::close(fd); }
  int fd;
};
template <off_t kStart, off_t kLength>
Obstacle SqliteWriterLock(const std::string& path) {
  auto held = std::make_shared<SqliteLock>(path);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kStart;
  lock.l_len = kLength;
  EXPECT_EQ(::fcntl(held->fd, F_SETLK, &lock), 0);
  return held;
}
constexpr off_t kPendingByte = 0x40000000;
const auto InTransaction = SqliteWriterLock<kPendingByte + 1, 1>;
const auto OnItsWayToCommit = SqliteWriterLock<kPendingByte, 1>;
const auto Committing = SqliteWriterLock<kPendingByte + 2, 510>;

// An operation on the files "a" (content "A") and "b" (content "B") refused,
// for what it is or because of an obstacle on one of them: it raises and leaves both files as
// they were, with no scratch file left beside them.
struct Refusal {
  const char* name;
  std::function<void(HostServices&, const ScratchFolder&)> operation;
  std::string file;
  std::function<Obstacle(const std::string& path)> obstruct;
};

class Refused : public HostServicesFiles, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, LeavesBothFilesAsTheyWere) {
  folder.Make("a", "A");
  folder.Make("b", "B");
  const std::string path = folder.File(GetParam().file);
  if (!exists(path)) folder.Make(GetParam().file, "partial");
  const Obstacle held = GetParam().obstruct(path);
  const auto before = Listing(folder.Path());
  EXPECT_THROW(GetParam().operation(host, folder), Error);
  EXPECT_EQ(Listing(folder.Path()), before);
  EXPECT_EQ(ReadFile(folder.File("a")), "A");
  EXPECT_EQ(ReadFile(folder.File("b")), "B");
}

void Copy(HostServices& host, const ScratchFolder& f) {
  host.CopyFile(f.WindowsFile("a"), f.WindowsFile("b"));
}
void Delete(HostServices& host, const ScratchFolder& f) {
  host.DeleteFile(f.WindowsFile("a"));
}
void CopyOntoItself(HostServices& host, const ScratchFolder& f) {
  host.CopyFile(f.WindowsFile("a"), f.WindowsFile("a"));
}
void Rename(HostServices& host, const ScratchFolder& f) {
  host.RenameFile(f.WindowsFile("a"), f.WindowsFile("c"));
}
void RenameOntoB(HostServices& host, const ScratchFolder& f) {
  host.RenameFile(f.WindowsFile("a"), f.WindowsFile("b"));
}
void Replace(HostServices& host, const ScratchFolder& f) {
  host.ReplaceFile(f.WindowsFile("a"), f.WindowsFile("b"), f.WindowsFile("a.old"));
}
void Hold(HostServices& host, const ScratchFolder& f) {
  host.HoldAgainstWriters(f.WindowsFile("a"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refused,
    ::testing::Values(Refusal{"CopyOfALockedSource", Copy, "a", OpenElsewhere},
                      Refusal{"CopyOntoALockedFile", Copy, "b", OpenElsewhere},
                      // Another program is still writing the scratch file.
                      Refusal{"CopyBesideAScratchFileInUse", Copy, "b.copying", OpenElsewhere},
                      Refusal{"CopyOntoItself", CopyOntoItself, "a", None},
                      Refusal{"DeleteOfALockedFile", Delete, "a", OpenElsewhere},
                      Refusal{"DeleteOfAReadOnlyFile", Delete, "a", ReadOnly},
                      Refusal{"RenameOfALockedFile", Rename, "a", OpenElsewhere},
                      Refusal{"RenameOntoAnExistingFile", RenameOntoB, "b", None},
                      Refusal{"ReplaceOfALockedTarget", Replace, "a", OpenElsewhere},
                      Refusal{"ReplaceOfAReadOnlyTarget", Replace, "a", ReadOnly},
                      Refusal{"ReplaceByALockedFile", Replace, "b", OpenElsewhere},
                      Refusal{"HoldOfAFileOpenElsewhere", Hold, "a", OpenElsewhere},
                      Refusal{"HoldWhileASqliteTransactionIsOpen", Hold, "a", InTransaction},
                      Refusal{"HoldWhileASqliteCommitIsOnItsWay", Hold, "a", OnItsWayToCommit},
                      Refusal{"HoldWhileASqliteCommitWrites", Hold, "a", Committing}),
    RowName());

// The launcher's own copy, replacement and deletion of a file it holds pass
// its hold, which still keeps every other program out; once the hold ends,
// the file is no longer the launcher's alone.
struct OwnStep {
  const char* name;
  std::function<void(HostServices&, const ScratchFolder&)> operation;
  std::map<std::string, std::string> files;  // by name, with their contents
};

class PassesTheOwnHold : public HostServicesFiles, public ::testing::WithParamInterface<OwnStep> {};

TEST_P(PassesTheOwnHold, AndNoOtherProgram) {
  folder.Make("a", "A");
  folder.Make("b", "B");
  {
    const auto hold = host.HoldAgainstWriters(Win("a"));
    EXPECT_TRUE(IsLockedElsewhere(folder.File("a")));
    EXPECT_NO_THROW(GetParam().operation(host, folder));
  }
  std::map<std::string, std::string> files;
  for (const std::string& name : Listing(folder.Path())) files[name] = ReadFile(folder.File(name));
  EXPECT_EQ(files, GetParam().files);
  const std::string kept = files.begin()->first;
  const FileLock open = FileLock::Acquire(folder.File(kept), LockKind::kShared, u"");
  EXPECT_THROW(host.CopyFile(Win(kept), Win("c")), Error);
}

INSTANTIATE_TEST_SUITE_P(Table, PassesTheOwnHold,
                         ::testing::Values(OwnStep{"Copy", Copy, {{"a", "A"}, {"b", "A"}}},
                                           OwnStep{"Replacement", Replace, {{"a", "B"}}},
                                           OwnStep{"Deletion", Delete, {{"b", "B"}}}),
                         RowName());

// Whether a SQLite program in another process runs `sql` on the database
// at once, without waiting for locks.
bool RunsInAnotherProcess(const std::string& database, const char* sql) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    sqlite3* db = nullptr;
    const bool ran =
        sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) == SQLITE_OK &&
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    ::_exit(ran ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class StampsAndHolds : public HostServicesFiles {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RunsInAnotherProcess(Database(), "CREATE TABLE t (x); INSERT INTO t VALUES (1);"));
  }
  std::string Database() const { return folder.File("a.mdb"); }
};

// SQLite programs elsewhere read the held file but commit nothing to it
// until the hold ends; the hold's stamp is the file's.
TEST_F(StampsAndHolds, ASqliteWriterElsewhereCommitsOnlyOnceTheHoldEnds) {
  {
    const auto hold = host.HoldAgainstWriters(Win("a.mdb"));
    EXPECT_TRUE(RunsInAnotherProcess(Database(), "SELECT x FROM t"));
    EXPECT_FALSE(RunsInAnotherProcess(Database(), "UPDATE t SET x = 2"));
    EXPECT_EQ(hold->Stamp(), host.StampOf(Win("a.mdb")));
  }
  EXPECT_TRUE(RunsInAnotherProcess(Database(), "UPDATE t SET x = 3"));
  const SqliteDatabase db(Database(), SqliteDatabase::Mode::kReadOnly, u"");
  Statement x(db, "SELECT x FROM t");
  ASSERT_TRUE(x.Step());
  EXPECT_EQ(x.ColumnInt(0), 3);
}

// A writer's transaction under way when the hold is asked for is waited
// out: the hold then holds the file with that commit in it.
TEST_F(StampsAndHolds, AHoldWaitsOutATransactionUnderWay) {
  int begun[2];
  ASSERT_EQ(::pipe(begun), 0);
  std::fflush(nullptr);
  const pid_t writer = ::fork();
  if (writer == 0) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Database().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 1000);
    const bool ran = sqlite3_exec(db, "BEGIN IMMEDIATE; UPDATE t SET x = 5", nullptr, nullptr,
                                  nullptr) == SQLITE_OK &&
                     ::write(begun[1], "b", 1) == 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::_exit(ran && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 1);
  }
  char signal = 0;
  ASSERT_EQ(::read(begun[0], &signal, 1), 1);
  const FileStamp before = host.StampOf(Win("a.mdb"));
  const auto hold = host.HoldAgainstWriters(Win("a.mdb"));
  EXPECT_NE(hold->Stamp(), before);
  int status = 0;
  ::waitpid(writer, &status, 0);
  EXPECT_EQ(status, 0);
  ::close(begun[0]);
  ::close(begun[1]);
}

// What happens to a file after its stamp is taken, and whether the stamp
// then tells.
struct StampEvent {
  const char* name;
  std::function<void(const std::string& database)> event;
  bool changes;
};

class Stamp : public StampsAndHolds, public ::testing::WithParamInterface<StampEvent> {};

TEST_P(Stamp, ChangesWithEveryWriteAndOnlyThen) {
  const FileStamp before = host.StampOf(Win("a.mdb"));
  GetParam().event(Database());
  EXPECT_EQ(host.StampOf(Win("a.mdb")) != before, GetParam().changes);
}

void Untouched(const std::string&) {}

void UpdatedElsewhere(const std::string& database) {
  RunsInAnotherProcess(database, "UPDATE t SET x = 2");
}

// Another file of the same size and times put in its place.
void ReplacedByItsTwin(const std::string& database) {
  std::filesystem::copy_file(database, database + ".twin");
  struct stat status {};
  ::stat(database.c_str(), &status);
  const struct timespec times[2] = {status.st_atim, status.st_mtim};
  ::utimensat(AT_FDCWD, (database + ".twin").c_str(), times, 0);
  std::filesystem::rename(database + ".twin", database);
}

INSTANTIATE_TEST_SUITE_P(Table, Stamp,
                         ::testing::Values(StampEvent{"Nothing", Untouched, false},
                                           StampEvent{"ACommitOfTheSameSizeElsewhere",
                                                      UpdatedElsewhere, true},
                                           StampEvent{"ATwinInItsPlace", ReplacedByItsTwin, true}),
                         RowName());

std::int64_t CoarseClock() {
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Sets the file's modification time `ahead` nanoseconds past the clock the
// kernel stamps writes with.
void DateAhead(const std::string& path, std::int64_t ahead) {
  const std::int64_t when = CoarseClock() + ahead;
  const struct timespec times[2] = {{0, UTIME_OMIT}, {when / 1'000'000'000, when % 1'000'000'000}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Where writes in one tick of the kernel's clock carry one time, a stamp
// waits out the tick of the file's last write: any write after it then
// carries a later time. A file dated well ahead of the clock is stamped at
// once, as a write would date it back.
TEST_F(StampsAndHolds, AStampOutlastsTheClockTickOfTheLastWriteOnly) {
  DateAhead(Database(), 20'000'000);
  EXPECT_GT(CoarseClock(), host.StampOf(Win("a.mdb")).lastWrite);
  DateAhead(Database(), std::int64_t{3600} * 1'000'000'000);
  const auto start = std::chrono::steady_clock::now();
  host.StampOf(Win("a.mdb"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

// A database whose commits go to a write-ahead log beside it cannot be held.
TEST_F(StampsAndHolds, AWriteAheadLoggedDatabaseIsNotHeld) {
  ASSERT_TRUE(RunsInAnotherProcess(Database(), "PRAGMA journal_mode = WAL"));
  EXPECT_THROW(host.HoldAgainstWriters(Win("a.mdb")), Error);
}

TEST_F(HostServicesFiles, FileExistsOnlyForFiles) {
  folder.Make("a.mdb", "");
  folder.MakeFolder("sub");
  EXPECT_TRUE(host.FileExists(Win("a.mdb")));
  for (const Text& path : {Win("b.mdb"), Win("sub"), Text(), Text(u"Q:\\a.mdb"), Text(u"a.mdb")}) {
    EXPECT_FALSE(host.FileExists(path)) << ToUtf8(path);
  }
}

}  // namespace
}  // namespace korvane::linux_edition
