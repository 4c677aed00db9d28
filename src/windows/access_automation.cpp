#include "windows/access_automation.h"

#include <utility>

#include "platform/error.h"

namespace korvane::windows {
namespace {

// Access's SysCmd action that answers the folder of msaccess.exe.
constexpr std::int32_t kAccessDirectory = 9;

class AccessInstance final : public RunningHost {
 public:
  explicit AccessInstance(AutomationObject application) : application(std::move(application)) {}
  AutomationObject application;
};

// Properties("AppTitle"), as Basic writes it. An object whose Properties
// takes no argument is asked for the collection and then for its item.
Variant AppTitleProperty(const AutomationObject& database) {
  const Variant title(Text(u"AppTitle"));
  try {
    return Call(database, L"Properties", CallKind::kMethodOrGet, {title});
  } catch (const Error& error) {
    if (error.Number() != DISP_E_BADPARAMCOUNT) throw;
  }
  const AutomationObject properties{
      Call(database, L"Properties", CallKind::kGet).ToDispatch(database.className),
      database.className};
  return Call(properties, L"Item", CallKind::kMethodOrGet, {title});
}

}  // namespace

std::unique_ptr<RunningHost> AccessAutomation::FindRunningHost() {
  return std::make_unique<AccessInstance>(factory_.GetActiveObject(kHostAutomationClass));
}

Text AccessAutomation::RunningApplicationName(RunningHost& instance) {
  const AutomationObject& application = static_cast<AccessInstance&>(instance).application;
  const Text& name = application.className;
  const AutomationObject database{
      Call(application, L"CurrentDb", CallKind::kMethodOrGet).ToDispatch(name), name};
  const AutomationObject property{AppTitleProperty(database).ToDispatch(name), name};
  return Call(property, L"Value", CallKind::kGet).ToText(name);
}

Text AccessAutomation::HostProgramFolder() {
  AutomationObject application = factory_.CreateObject(kHostAutomationClass);
  createdHosts_.push_back(application);
  return Call(application, L"SysCmd", CallKind::kMethodOrGet, {Variant(kAccessDirectory)})
      .ToText(application.className);
}

}  // namespace korvane::windows
