#include "support/scratch_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "linux/services/windows_paths.h"

namespace korvane::testing {

ScratchFolder::ScratchFolder() {
  std::string pattern = "/tmp/korvane-test-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  // Read-only files and folders left by a test must not stop the cleanup.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

Text ScratchFolder::WindowsFile(const std::string& name) const {
  return linux_edition::DriveMap().ToWindows(File(name));
}

std::string ScratchFolder::Make(const std::string& name, const std::string& content) const {
  const std::string path = File(name);
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string ScratchFolder::MakeFolder(const std::string& name) const {
  const std::string path = File(name);
  std::filesystem::create_directories(path);
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace korvane::testing
