#include "demo_folder.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "linux/services/windows_paths.h"

namespace korvane::e2e {

DemoFolder::DemoFolder() {
  for (const char* folder : {"TessalyKorvane", "share", "档案", "runtime/hosts"}) {
    fs::create_directories(Root() / folder);
  }
  fs::permissions(RuntimeFolder(), fs::perms::owner_all, fs::perm_options::replace);
  fs::copy_file(KORVANE_LAUNCHER, Launcher());
  fs::copy_file(KORVANE_TEST_HELP_CHM, InProgram("nuqe.chm"));
  const std::string command = std::string("'") + KORVANE_DEMO_FILES + "' '" + Program().string() +
                              "' '" + (Root() / "share").string() + "' '" +
                              (Root() / "档案").string() + "' >/dev/null";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("korvane-demo-files failed");
  }
}

Text WindowsPath(const fs::path& path) {
  return linux_edition::ToWindowsPath(path.string());
}

}  // namespace korvane::e2e
