#pragma once
// Scripted automation of the database host: at most one running instance,
// whose application name the test sets, and the host's program folder.

#include <optional>

#include "fakes/call_log.h"
#include "platform/host_automation.h"

namespace korvane::testing {

class FakeAutomation : public HostAutomation {
 public:
  explicit FakeAutomation(CallLog& log) : log_(log) {}

  // The running instance's application name; no instance when empty.
  std::optional<Text> runningName;

  std::unique_ptr<RunningHost> FindRunningHost() override {
    log_.Enter("FindRunningHost", {kHostAutomationClass});
    if (!runningName) throw Error(429, u"ActiveX 部件不能创建对象", u"FakeAutomation");
    return std::make_unique<RunningHost>();
  }
  Text RunningApplicationName(RunningHost&) override {
    log_.Enter("RunningApplicationName");
    return *runningName;
  }
  Text HostProgramFolder() override {
    log_.Enter("HostProgramFolder", {kHostAutomationClass, Arg(9)});
    return u"C:\\Office\\";
  }

 private:
  CallLog& log_;
};

}  // namespace korvane::testing
