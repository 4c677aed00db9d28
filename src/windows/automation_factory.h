#pragma once
// Where automation objects come from: the one place that reaches COM's class
// registry, so that tests can hand the adapters objects of their own.

#include "platform/text.h"
#include "windows/com_apartment.h"
#include "windows/dispatch_call.h"

namespace korvane::windows {

class AutomationFactory {
 public:
  virtual ~AutomationFactory() = default;
  // A new object of the class registered under `progId`; raises when the
  // class is unknown or cannot be created.
  virtual AutomationObject CreateObject(const Text& progId) = 0;
  // A running object of that class registered as active; raises when none
  // is running.
  virtual AutomationObject GetActiveObject(const Text& progId) = 0;
};

// The system's registry of classes: CLSIDFromProgID, then CoCreateInstance
// (in-process or local server) or GetActiveObject, in `apartment`, which is
// entered first; call it on the apartment's thread.
class ComAutomationFactory final : public AutomationFactory {
 public:
  explicit ComAutomationFactory(ComApartment& apartment) : apartment_(apartment) {}
  AutomationObject CreateObject(const Text& progId) override;
  AutomationObject GetActiveObject(const Text& progId) override;

 private:
  ComApartment& apartment_;
};

}  // namespace korvane::windows
