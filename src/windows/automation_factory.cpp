#include "windows/automation_factory.h"

#include "windows/automation_error.h"
#include "windows/com_apartment.h"
#include "windows/wide_text.h"

namespace korvane::windows {
namespace {

CLSID ClassOf(const Text& progId) {
  CLSID id;
  const HRESULT result = CLSIDFromProgID(AsWidePath(progId, progId.c_str()), &id);
  if (FAILED(result)) throw AutomationError(result, u"", progId);
  return id;
}

}  // namespace

AutomationObject ComAutomationFactory::CreateObject(const Text& progId) {
  apartment_.Enter();
  const CLSID id = ClassOf(progId);
  AutomationObject created{{}, progId};
  const HRESULT result = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                          IID_IDispatch, &created.object);
  if (FAILED(result)) throw AutomationError(result, u"", progId);
  return created;
}

AutomationObject ComAutomationFactory::GetActiveObject(const Text& progId) {
  apartment_.Enter();
  const CLSID id = ClassOf(progId);
  ComPtr<IUnknown> running;
  HRESULT result = ::GetActiveObject(id, nullptr, &running);
  if (FAILED(result)) throw AutomationError(result, u"", progId);
  AutomationObject found{{}, progId};
  result = running.As(&found.object);
  if (FAILED(result)) throw AutomationError(result, u"", progId);
  return found;
}

}  // namespace korvane::windows
