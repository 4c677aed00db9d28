#include "windows/access_automation.h"

#include <optional>
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

// The database engine's "Property not found" (error 3270), as a number of
// its own or as the HRESULT automation wraps it in.
bool IsPropertyNotFound(const Error& error) {
  constexpr std::int32_t kPropertyNotFound = 3270;
  return error.Number() == kPropertyNotFound ||
         error.Number() == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, kPropertyNotFound);
}

// Properties("AppTitle"), as Basic writes it; nothing when the database has
// no such property. An object whose Properties takes no argument is asked
// for the collection and then for its item.
std::optional<Variant> AppTitleProperty(const AutomationObject& database) {
  const Variant title(Text(u"AppTitle"));
  try {
    try {
      return Call(database, L"Properties", CallKind::kMethodOrGet, {title});
    } catch (const Error& error) {
      if (error.Number() != DISP_E_BADPARAMCOUNT) throw;
    }
    const AutomationObject properties{
        Call(database, L"Properties", CallKind::kGet).ToDispatch(database.className),
        database.className};
    return Call(properties, L"Item", CallKind::kMethodOrGet, {title});
  } catch (const Error& error) {
    if (IsPropertyNotFound(error)) return std::nullopt;
    throw;
  }
}

}  // namespace

std::unique_ptr<RunningHost> AccessAutomation::FindRunningHost() {
  return std::make_unique<AccessInstance>(factory_.GetActiveObject(kHostAutomationClass));
}

Text AccessAutomation::RunningApplicationName(RunningHost& instance) {
  const AutomationObject& application = static_cast<AccessInstance&>(instance).application;
  const Text& name = application.className;
  const Variant currentDatabase = Call(application, L"CurrentDb", CallKind::kMethodOrGet);
  if (currentDatabase.IsNothing()) return Text();
  const AutomationObject database{currentDatabase.ToDispatch(name), name};
  const std::optional<Variant> title = AppTitleProperty(database);
  if (!title) return Text();
  const AutomationObject property{title->ToDispatch(name), name};
  return Call(property, L"Value", CallKind::kGet).ToText(name);
}

Text AccessAutomation::HostProgramFolder() {
  AutomationObject application = factory_.CreateObject(kHostAutomationClass);
  createdHosts_.push_back(application);
  return Call(application, L"SysCmd", CallKind::kMethodOrGet, {Variant(kAccessDirectory)})
      .ToText(application.className);
}

}  // namespace korvane::windows
