#pragma once
// A fresh folder under the system's temporary folder, with a Chinese name so
// that every path the tests use goes through the wide functions; removed
// with its files afterwards.

#include <string>

#include "platform/text.h"

namespace korvane::windows::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const Text& Path() const { return path_; }
  // The path of `name` inside the folder.
  Text operator/(const Text& name) const { return path_ + u"\\" + name; }

 private:
  Text path_;
};

// Writes `content` as the whole file.
void WriteTestFile(const Text& path, const std::string& content);
// The whole file, or "<missing>" when it cannot be read.
std::string ReadTestFile(const Text& path);
// Makes a folder; returns its path.
Text MakeFolder(const Text& path);

// Holds a file open with share mode 0, so no other open can touch it.
class LockedFile {
 public:
  explicit LockedFile(const Text& path);
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

 private:
  void* handle_;
};

}  // namespace korvane::windows::test
