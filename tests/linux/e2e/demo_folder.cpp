#include "demo_folder.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "linux/services/windows_paths.h"

namespace korvane::e2e {

DemoFolder::DemoFolder() {
  std::string pattern = (fs::temp_directory_path() / "korvane-e2e-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  for (const char* folder : {"TessalyKorvane", "share", "档案", "runtime", "runtime/hosts"}) {
    fs::create_directories(root_ / folder);
  }
  fs::permissions(RuntimeFolder(), fs::perms::owner_all, fs::perm_options::replace);
  fs::copy_file(KORVANE_LAUNCHER, Launcher());
  fs::copy_file(KORVANE_TEST_HELP_CHM, InProgram("nuqe.chm"));
  const std::string command = std::string("'") + KORVANE_DEMO_FILES + "' '" + Program().string() +
                              "' '" + (root_ / "share").string() + "' '" +
                              (root_ / "档案").string() + "' >/dev/null";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("korvane-demo-files failed");
  }
}

DemoFolder::~DemoFolder() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Text WindowsPath(const fs::path& path) {
  return linux_edition::ToWindowsPath(path.string());
}

}  // namespace korvane::e2e
