#pragma once
// How a program of the Linux edition holds a file open, as Jet holds an open
// database on Windows: an advisory flock() on an open file description.
// flock() and not fcntl() locks, because SQLite takes its own fcntl() byte
// locks on the same files and the two kinds never interfere on a local file
// system.
//  - shared: the file is open (the engine while it reads, the Access
//    stand-in for as long as it runs); others may open it too;
//  - exclusive: the file is used alone (copy, delete, replace, compaction).
// A file is "locked" when another open file description holds a lock that
// conflicts with the one asked for, unless this process holds the file
// against writers (own_holds.h). Locks never wait.

#include <string>

namespace korvane::linux_edition {

enum class LockKind { kShared, kExclusive };

class FileLock {
 public:
  // Opens `posixPath` read-only (close-on-exec) and takes the lock; a file
  // this process holds against writers is only opened. Raises
  // korvane::Error: errno of open() for a missing or unreadable file, EBUSY
  // when another holds a conflicting lock. `source` names the operation.
  static FileLock Acquire(const std::string& posixPath, LockKind kind, const char16_t* source);

  FileLock() = default;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();  // releases the lock and closes the file

  int Descriptor() const { return fd_; }
  void Release();

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// True when some other open file description holds any lock on the file;
// false for a missing file.
bool IsLockedElsewhere(const std::string& posixPath);

// The error raised for a file that another program holds.
[[noreturn]] void ThrowLocked(const std::string& posixPath, const char16_t* source);

}  // namespace korvane::linux_edition
