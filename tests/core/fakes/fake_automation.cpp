#include "fakes/fake_automation.h"

namespace korvane::testing {
namespace {

class HeldInstance : public RunningHost {
 public:
  explicit HeldInstance(int& held) : held_(held) { ++held_; }
  ~HeldInstance() override { --held_; }

 private:
  int& held_;
};

}  // namespace

std::unique_ptr<RunningHost> FakeAutomation::FindRunningHost() {
  log_.Enter("FindRunningHost", {kHostAutomationClass});
  if (!runningName) log_.Raise(Error(429, u"ActiveX 部件不能创建对象", u"FakeAutomation"));
  return std::make_unique<HeldInstance>(held);
}

Text FakeAutomation::RunningApplicationName(RunningHost&) {
  log_.Enter("RunningApplicationName");
  return *runningName;
}

Text FakeAutomation::HostProgramFolder() {
  log_.Enter("HostProgramFolder", {kHostAutomationClass, Arg(9)});
  return hostFolder;
}

}  // namespace korvane::testing
