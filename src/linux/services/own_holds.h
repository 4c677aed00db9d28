#pragma once
// The files this process holds against writers (write_hold.h), by device and
// inode.
//
// A hold keeps an exclusive flock() on its own open file description, and
// flock() locks of two open file descriptions conflict even within one
// process: without this record, the launcher's own copy or replacement of
// the file it holds (FileLock::Acquire on a new descriptor) would be
// refused as if another program had it open. While this process holds a
// file, no other program holds any flock() on it, so its own operations
// need no lock of their own to keep others out.

#include <sys/types.h>

namespace korvane::linux_edition {

// Records one hold for as long as it lives; thread-safe.
class OwnHold {
 public:
  OwnHold(dev_t device, ino_t inode);
  ~OwnHold();
  OwnHold(const OwnHold&) = delete;
  OwnHold& operator=(const OwnHold&) = delete;

 private:
  dev_t device_;
  ino_t inode_;
};

// True while some OwnHold of this process records the file.
bool IsHeldByThisProcess(dev_t device, ino_t inode);

}  // namespace korvane::linux_edition
