#pragma once
// Automation of Microsoft Access ("Access.Application"), late-bound.

#include <vector>

#include "platform/host_automation.h"
#include "windows/automation_factory.h"

namespace korvane::windows {

class AccessAutomation final : public HostAutomation {
 public:
  explicit AccessAutomation(AutomationFactory& factory) : factory_(factory) {}

  std::unique_ptr<RunningHost> FindRunningHost() override;
  // The AppTitle property of the database the instance has open:
  // CurrentDb().Properties("AppTitle").Value. An instance without an open
  // database, or whose database has no AppTitle, has no Korvane open: its
  // name is the empty text, not a failure.
  Text RunningApplicationName(RunningHost& instance) override;
  // SysCmd(9) of a new instance, which is kept until this object goes or
  // ReleaseCreatedHosts lets it go.
  Text HostProgramFolder() override;

  // Lets go of the instances HostProgramFolder started, which then end.
  void ReleaseCreatedHosts() noexcept { createdHosts_.clear(); }

 private:
  AutomationFactory& factory_;
  std::vector<AutomationObject> createdHosts_;
};

}  // namespace korvane::windows
