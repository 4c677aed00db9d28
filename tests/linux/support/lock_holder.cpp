#include "support/lock_holder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace korvane::testing {

LockHolder::LockHolder(const std::string& path, linux_edition::LockKind kind) {
  int ready[2];
  int release[2];
  if (::pipe2(ready, O_CLOEXEC) != 0 || ::pipe2(release, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  child_ = ::fork();
  if (child_ == 0) {
    ::close(ready[0]);
    ::close(release[1]);  // so that the parent's close is the last one
    const int fd = ::open(path.c_str(), O_RDONLY);
    const int operation = kind == linux_edition::LockKind::kShared ? LOCK_SH : LOCK_EX;
    const char status = (fd >= 0 && ::flock(fd, operation | LOCK_NB) == 0) ? 'y' : 'n';
    [[maybe_unused]] auto put = ::write(ready[1], &status, 1);
    char ignored;
    [[maybe_unused]] auto got = ::read(release[0], &ignored, 1);  // until the parent lets go
    ::_exit(0);
  }
  ::close(ready[1]);
  ::close(release[0]);
  release_ = release[1];
  char status = 'n';
  const bool told = ::read(ready[0], &status, 1) == 1;
  ::close(ready[0]);
  if (!told || status != 'y') {
    this->~LockHolder();
    throw std::runtime_error("the child could not lock " + path);
  }
}

LockHolder::~LockHolder() {
  if (release_ >= 0) ::close(release_);
  release_ = -1;
  if (child_ > 0) ::waitpid(child_, nullptr, 0);
  child_ = -1;
}

}  // namespace korvane::testing
