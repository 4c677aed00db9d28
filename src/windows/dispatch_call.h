#pragma once
// Late-bound calls on automation objects through IDispatch: the one way the
// edition talks to ADO, JRO and Access, so no type library is needed.

#include <initializer_list>

#include "platform/text.h"
#include "windows/variant.h"
#include "windows/win32.h"

namespace korvane::windows {

enum class CallKind : WORD {
  kMethod = DISPATCH_METHOD,
  kGet = DISPATCH_PROPERTYGET,
  // A member called with arguments whose value is used, as Basic calls it:
  // the object may have made it a method or a property with parameters.
  kMethodOrGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET,
  kPut = DISPATCH_PROPERTYPUT,
};

// An automation object and the class name its errors are reported under
// when it names no source itself ("ADODB.Connection").
struct AutomationObject {
  ComPtr<IDispatch> object;
  Text className;
};

// Calls `member` with `arguments` in their natural order (first argument
// first) and returns its result (empty for kPut). A failure raises the
// launcher's error with the HRESULT as number.
Variant Call(const AutomationObject& target, const wchar_t* member, CallKind kind,
             std::initializer_list<Variant> arguments = {});

}  // namespace korvane::windows
