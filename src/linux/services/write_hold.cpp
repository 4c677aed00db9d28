#include "linux/services/write_hold.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include "linux/services/file_lock.h"
#include "linux/services/file_stamp.h"
#include "linux/services/own_holds.h"
#include "linux/services/system_error.h"

namespace korvane::linux_edition {
namespace {

// SQLite's lock bytes in a database file (its unix VFS): the byte a writer
// locks on its way to the exclusive lock it commits under, the byte that
// marks an open write transaction, and the range every reader locks a byte
// of; a writer commits only once it has the whole range to itself.
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kReservedByte = kPendingByte + 1;
constexpr off_t kSharedFirst = kPendingByte + 2;
constexpr off_t kSharedSize = 510;

// How long a hold waits for a writer's transaction to end: long enough for
// a commit, short enough that the user is not kept waiting on a
// transaction that goes on.
constexpr auto kWriterPatience = std::chrono::seconds(1);

// Locks of the open file description rather than of the process: they
// conflict with the classic fcntl() locks SQLite takes, in other processes
// and in this one alike, and stay held when this process closes another
// descriptor of the file, as its own copy of the file does (a classic lock
// would go with that close). False when another lock is in the way.
bool SetLock(int fd, short type, off_t start, off_t length, const std::string& path,
             const char16_t* source) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = start;
  lock.l_len = length;
  if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
  if (errno == EAGAIN || errno == EACCES) return false;
  ThrowSystemError(errno, path, source);
}

// Takes a SQLite reader's lock the way a reader does (the pending byte
// first, refused while a writer is on its way to commit or a reader rolls
// back an unfinished commit, then the readers' range, then the pending
// byte let go) and a read lock on the reserved byte besides: refused while
// a write transaction is open, it keeps new ones from beginning. A
// transaction begun before a swap would otherwise commit, once the hold
// ends, into the file the swap replaced. False, holding none of them, when
// a writer is in the way.
bool LockOutSqliteWriters(int fd, const std::string& path, const char16_t* source) {
  const bool locked = SetLock(fd, F_RDLCK, kPendingByte, 1, path, source) &&
                      SetLock(fd, F_RDLCK, kReservedByte, 1, path, source) &&
                      SetLock(fd, F_RDLCK, kSharedFirst, kSharedSize, path, source);
  if (!locked) {
    SetLock(fd, F_UNLCK, kPendingByte, kSharedFirst + kSharedSize - kPendingByte, path, source);
    return false;
  }
  SetLock(fd, F_UNLCK, kPendingByte, 1, path, source);
  return true;
}

// True for a SQLite database whose header says it keeps a write-ahead log.
bool IsWriteAheadLogged(int fd) {
  constexpr char kMagic[] = "SQLite format 3";  // with its closing zero byte
  unsigned char header[20];
  if (::pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header)) return false;
  if (std::memcmp(header, kMagic, sizeof kMagic) != 0) return false;
  constexpr unsigned char kWriteAheadLog = 2;
  return header[18] == kWriteAheadLog || header[19] == kWriteAheadLog;
}

class WriterHold : public FileHold {
 public:
  WriterHold(FileLock lock, const struct stat& status, std::string path)
      : lock_(std::move(lock)), own_(status.st_dev, status.st_ino), path_(std::move(path)) {}

  FileStamp Stamp() override {
    struct stat status {};
    if (::fstat(lock_.Descriptor(), &status) != 0) ThrowSystemError(errno, path_, u"Stamp");
    return StampOfStatus(status);
  }

 private:
  FileLock lock_;  // its descriptor carries the byte locks too
  OwnHold own_;
  std::string path_;
};

}  // namespace

std::unique_ptr<FileHold> HoldAgainstWriters(const std::string& posixPath, const char16_t* source) {
  FileLock lock = FileLock::Acquire(posixPath, LockKind::kExclusive, source);
  const int fd = lock.Descriptor();
  struct stat status {};
  if (::fstat(fd, &status) != 0) ThrowSystemError(errno, posixPath, source);
  if (!S_ISREG(status.st_mode)) ThrowSystemError(EISDIR, posixPath, source);
  const auto deadline = std::chrono::steady_clock::now() + kWriterPatience;
  while (!LockOutSqliteWriters(fd, posixPath, source)) {
    if (std::chrono::steady_clock::now() >= deadline) ThrowLocked(posixPath, source);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // Read once no writer can change the journal mode.
  if (IsWriteAheadLogged(fd)) ThrowSystemError(EOPNOTSUPP, posixPath, source);
  return std::make_unique<WriterHold>(std::move(lock), status, posixPath);
}

}  // namespace korvane::linux_edition
