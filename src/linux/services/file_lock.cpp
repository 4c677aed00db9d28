#include "linux/services/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "linux/services/own_holds.h"
#include "linux/services/system_error.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {

FileLock FileLock::Acquire(const std::string& posixPath, LockKind kind, const char16_t* source) {
  const int fd = ::open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowSystemError(errno, posixPath, source);
  FileLock lock(fd);
  struct stat status {};
  if (::fstat(fd, &status) != 0) ThrowSystemError(errno, posixPath, source);
  if (IsHeldByThisProcess(status.st_dev, status.st_ino)) return lock;
  const int operation = (kind == LockKind::kShared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  if (::flock(fd, operation) != 0) {
    if (errno == EWOULDBLOCK) ThrowLocked(posixPath, source);
    ThrowSystemError(errno, posixPath, source);
  }
  return lock;
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileLock::~FileLock() {
  Release();
}

void FileLock::Release() {
  // Closing the last descriptor of the open file description drops its lock.
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

bool IsLockedElsewhere(const std::string& posixPath) {
  const int fd = ::open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return locked;
}

void ThrowLocked(const std::string& posixPath, const char16_t* source) {
  throw Error(EBUSY, u"文件正被另一个程序使用: '" + FromUtf8(posixPath) + u"'", source);
}

}  // namespace korvane::linux_edition
