#pragma once
// Automation of the database host, Microsoft Access ("Access.Application").
// Every failing operation raises korvane::Error.

#include <memory>

#include "platform/text.h"

namespace korvane {

inline constexpr char16_t kHostAutomationClass[] = u"Access.Application";

// A running host instance, held until released (destroyed).
class RunningHost {
 public:
  virtual ~RunningHost() = default;
};

class HostAutomation {
 public:
  virtual ~HostAutomation() = default;
  // A currently active "Access.Application" (one of them when several run);
  // raises when none is running. Never starts a new instance.
  virtual std::unique_ptr<RunningHost> FindRunningHost() = 0;
  // One text property of the instance: exactly "Korvane" while that
  // instance has a Korvane front-end open. May raise.
  virtual Text RunningApplicationName(RunningHost& instance) = 0;
  // Creates a new "Access.Application" and returns SysCmd(9): the folder of
  // the host's executable, ending in a backslash. The object lives until the
  // program ends. Raises when the class cannot be created.
  virtual Text HostProgramFolder() = 0;
};

}  // namespace korvane
