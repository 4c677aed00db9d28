#include "linux/services/scratch_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "linux/services/file_lock.h"
#include "linux/services/system_error.h"

namespace korvane::linux_edition {
namespace {

// SQLite's rollback journal of a database file being written.
std::string JournalOf(const std::string& path) {
  return path + "-journal";
}

void RemoveLeftover(const std::string& path, const char16_t* source) {
  if (IsLockedElsewhere(path)) ThrowLocked(path, source);
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) ThrowSystemError(errno, path, source);
}

}  // namespace

ScratchFile::ScratchFile(const std::string& destination, const char* purpose,
                         const char16_t* source)
    : path_(destination + "." + purpose) {
  RemoveLeftover(path_, source);
  RemoveLeftover(JournalOf(path_), source);
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0) ThrowSystemError(errno, path_, source);
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd_);
    ::unlink(path_.c_str());
    if (error == EWOULDBLOCK) ThrowLocked(path_, source);
    ThrowSystemError(error, path_, source);
  }
}

ScratchFile::~ScratchFile() {
  if (!kept_) {
    ::unlink(path_.c_str());
    ::unlink(JournalOf(path_).c_str());
  }
  Close();
}

int ScratchFile::Close() {
  if (fd_ < 0) return 0;
  return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
}

}  // namespace korvane::linux_edition
