#include "support/scratch_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "linux/services/windows_paths.h"

namespace korvane::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const char* prefix) {
  std::string pattern = (fs::temp_directory_path() / prefix).string() + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  // Read-only files and folders left by a test must not stop the cleanup.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
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
  fs::create_directories(path);
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace korvane::testing
