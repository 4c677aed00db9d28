#include "support/lock_holder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace korvane::testing {

LockHolder::LockHolder(const std::string& path, linux_edition::LockKind kind) {
  int ready[2];
  if (::pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  child_ = ::fork();
  if (child_ == 0) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const int operation = kind == linux_edition::LockKind::kShared ? LOCK_SH : LOCK_EX;
    const char status = (fd >= 0 && ::flock(fd, operation | LOCK_NB) == 0) ? 'y' : 'n';
    [[maybe_unused]] auto put = ::write(ready[1], &status, 1);
    for (;;) ::pause();  // until the holder is destroyed
  }
  ::close(ready[1]);
  char status = 'n';
  const bool told = ::read(ready[0], &status, 1) == 1;
  ::close(ready[0]);
  if (!told || status != 'y') {
    this->~LockHolder();
    throw std::runtime_error("the child could not lock " + path);
  }
}

LockHolder::~LockHolder() {
  if (child_ > 0) {
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
  }
  child_ = -1;
}

}  // namespace korvane::testing
