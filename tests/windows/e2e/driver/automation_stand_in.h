#pragma once
// Puts the stand-in automation server in place for one scenario: registered
// in the prefix as "Access.Application" (answering with the given name and
// host folder) while the object lives.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "process.h"

namespace e2e {

struct AccessSettings {
  std::wstring name;        // what CurrentDb().Properties("AppTitle").Value reads
  std::wstring hostFolder;  // what SysCmd(9) returns
  bool nameFails = false;   // reading the name raises an error instead
};

class AutomationStandIn {
 public:
  explicit AutomationStandIn(const AccessSettings& settings = {});
  ~AutomationStandIn();
  AutomationStandIn(const AutomationStandIn&) = delete;
  AutomationStandIn& operator=(const AutomationStandIn&) = delete;

  // Starts an instance that registers itself as the running Access; true once
  // another process can find it.
  bool StartRunningInstance();

  // The automation calls the servers answered, in order.
  std::vector<std::wstring> Calls() const;

 private:
  HANDLE quit_ = nullptr;
  std::optional<Process> running_;
};

}  // namespace e2e
