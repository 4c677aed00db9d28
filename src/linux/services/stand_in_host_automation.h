#pragma once
// Automation of the database host in the Linux edition: the Access stand-in
// (msaccess.exe in the host folder) found through host_registry.h.

#include <string>

#include "platform/host_automation.h"

namespace korvane::linux_edition {

// POSIX folder of the Access stand-in; the build's host folder when unset.
inline constexpr char kHostFolderVariable[] = "KORVANE_HOST_FOLDER";

// The host folder as configured now (POSIX path, no trailing slash).
std::string ConfiguredHostFolder();

class StandInHostAutomation : public HostAutomation {
 public:
  // The earliest live registration; raises when none is live.
  std::unique_ptr<RunningHost> FindRunningHost() override;
  // The application name the instance registered; raises when it is gone.
  Text RunningApplicationName(RunningHost& instance) override;
  // The host folder as a Windows path ending in "\"; raises when
  // msaccess.exe is not an executable file there.
  Text HostProgramFolder() override;
};

}  // namespace korvane::linux_edition
