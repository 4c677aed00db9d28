#pragma once
// Scripted automation of the database host: at most one running instance,
// whose application name the test sets, and the host's program folder.

#include <optional>

#include "fakes/call_log.h"
#include "launch/host_automation.h"

namespace korvane::testing {

class FakeAutomation : public HostAutomation {
 public:
  explicit FakeAutomation(CallLog& log) : log_(log) {}

  // The running instance's application name; no instance when empty.
  std::optional<Text> runningName;
  Text hostFolder = u"C:\\Office\\";
  // Running-instance handles not yet released.
  int held = 0;

  std::unique_ptr<RunningHost> FindRunningHost() override;
  Text RunningApplicationName(RunningHost& instance) override;
  Text HostProgramFolder() override;

 private:
  CallLog& log_;
};

}  // namespace korvane::testing
