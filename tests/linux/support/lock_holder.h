#pragma once
// A lock on a file as a program that has the file open holds it, until the
// holder is destroyed. flock() locks belong to an open file description, so
// one taken here conflicts with the launcher's as another process's would.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "linux/services/file_lock.h"

namespace korvane::testing {

class LockHolder {
 public:
  LockHolder(const std::string& path, linux_edition::LockKind kind)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    const int operation = kind == linux_edition::LockKind::kShared ? LOCK_SH : LOCK_EX;
    if (fd_ < 0 || ::flock(fd_, operation | LOCK_NB) != 0) {
      if (fd_ >= 0) ::close(fd_);
      throw std::runtime_error("could not lock " + path);
    }
  }
  ~LockHolder() { ::close(fd_); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

 private:
  int fd_;
};

}  // namespace korvane::testing
