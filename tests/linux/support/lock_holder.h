#pragma once
// Another process holding an advisory lock on a file, as a program that has
// the file open does, until the holder is destroyed.

#include <sys/types.h>

#include <string>

#include "linux/services/file_lock.h"

namespace korvane::testing {

class LockHolder {
 public:
  // Returns once the child process holds the lock.
  LockHolder(const std::string& path, linux_edition::LockKind kind);
  ~LockHolder();
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

 private:
  pid_t child_ = -1;
};

}  // namespace korvane::testing
