#include "linux/services/stand_in_host_automation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "linux/services/host_registry.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"

#ifndef KORVANE_DEFAULT_HOST_FOLDER
#error "KORVANE_DEFAULT_HOST_FOLDER names the build's host folder"
#endif

namespace korvane::linux_edition {
namespace {

// The automation errors of the host's object model, as the launcher's
// language runtime numbers them.
constexpr std::int32_t kCannotCreateObject = 429;
constexpr std::int32_t kNoActiveObject = 429;
constexpr std::int32_t kServerGone = 462;

class RegisteredHost : public RunningHost {
 public:
  explicit RegisteredHost(std::string file) : file_(std::move(file)) {}
  const std::string& File() const { return file_; }

 private:
  std::string file_;
};

}  // namespace

std::string ConfiguredHostFolder() {
  const char* chosen = std::getenv(kHostFolderVariable);
  std::string folder = chosen && chosen[0] != '\0' ? chosen : KORVANE_DEFAULT_HOST_FOLDER;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::unique_ptr<RunningHost> StandInHostAutomation::FindRunningHost() {
  const auto hosts = LiveHosts();
  if (hosts.empty()) {
    throw Error(kNoActiveObject, u"ActiveX component can't create object", kHostAutomationClass);
  }
  return std::make_unique<RegisteredHost>(hosts.front().file);
}

Text StandInHostAutomation::RunningApplicationName(RunningHost& instance) {
  const auto name = RegisteredApplicationName(static_cast<RegisteredHost&>(instance).File());
  if (!name) {
    throw Error(kServerGone, u"The remote server machine does not exist or is unavailable",
                kHostAutomationClass);
  }
  return *name;
}

Text StandInHostAutomation::HostProgramFolder() {
  const std::string folder = ConfiguredHostFolder();
  const std::string host = folder + "/msaccess.exe";
  struct stat status {};
  if (::stat(host.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
      ::access(host.c_str(), X_OK) != 0) {
    throw Error(kCannotCreateObject, u"ActiveX component can't create object",
                kHostAutomationClass);
  }
  Text windows = ToWindowsPath(folder);
  if (windows.back() != u'\\') windows += u'\\';
  return windows;
}

}  // namespace korvane::linux_edition
