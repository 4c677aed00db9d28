#pragma once
// The file a copy or a compaction writes before it takes its destination's
// name. Its name is fixed and visible, "<destination>.<purpose>", so that
// what a run killed midway left behind is known: the next run of the same
// operation removes it (and the engine's journal beside it) first, and
// nothing full-size piles up unseen.

#include <string>

namespace korvane::linux_edition {

class ScratchFile {
 public:
  // Creates the scratch file beside `destination`, empty, after removing a
  // leftover of an earlier run; holds it exclusively (file_lock.h) while it
  // is written. Raises korvane::Error, EBUSY when a leftover is held by
  // another program, which is then still writing it. `source` names the
  // operation.
  ScratchFile(const std::string& destination, const char* purpose, const char16_t* source);
  // Removes the file and its journal unless it has taken its final name.
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& Path() const { return path_; }
  int Descriptor() const { return fd_; }
  // Closes the descriptor, giving up the lock: 0, or the errno value of a
  // write that failed late. The file itself stays until destruction.
  int Close();
  // The file has been renamed to its final name: nothing is removed.
  void Kept() { kept_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  bool kept_ = false;
};

}  // namespace korvane::linux_edition
