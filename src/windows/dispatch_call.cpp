#include "windows/dispatch_call.h"

#include <vector>

#include "windows/automation_error.h"

namespace korvane::windows {

Variant Call(const AutomationObject& target, const wchar_t* member, CallKind kind,
             std::initializer_list<Variant> arguments) {
  if (!target.object) throw AutomationError(E_POINTER, u"", target.className);
  IDispatch& object = *target.object.Get();
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  HRESULT result = object.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) throw CallError(result, object, target.className);

  // IDispatch takes the arguments last first.
  std::vector<VARIANT> reversed;
  reversed.reserve(arguments.size());
  for (auto argument = arguments.end(); argument != arguments.begin();) {
    reversed.push_back((--argument)->Raw());
  }
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  // A property is set through the one named argument DISPID_PROPERTYPUT.
  DISPID putId = DISPID_PROPERTYPUT;
  if (kind == CallKind::kPut) {
    parameters.rgdispidNamedArgs = &putId;
    parameters.cNamedArgs = 1;
  }

  Variant value;
  EXCEPINFO exception{};
  UINT badArgument = 0;
  result = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, static_cast<WORD>(kind), &parameters,
                         kind == CallKind::kPut ? nullptr : &value.Raw(), &exception, &badArgument);
  if (result == DISP_E_EXCEPTION) throw ExceptionInfoError(exception, target.className);
  if (FAILED(result)) throw CallError(result, object, target.className);
  return value;
}

}  // namespace korvane::windows
