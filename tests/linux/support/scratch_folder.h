#pragma once
// A temporary folder of real files for one test, removed afterwards, with
// the paths of its files in POSIX and Windows form.

#include <string>
#include <vector>

#include "platform/text.h"

namespace korvane::testing {

class ScratchFolder {
 public:
  explicit ScratchFolder(const char* prefix = "korvane-test");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  Text WindowsFile(const std::string& name) const;  // through drive Z:
  std::string Make(const std::string& name, const std::string& content) const;
  std::string MakeFolder(const std::string& name) const;

 private:
  std::string path_;
};

// The file's bytes; empty for a missing file.
std::string ReadFile(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> Listing(const std::string& folder);

}  // namespace korvane::testing
