#pragma once
// Failing automation calls as the launcher's raised error: the HRESULT as
// number, and the object's own description and source where it gave them.

#include "platform/error.h"
#include "windows/win32.h"

namespace korvane::windows {

// An error for `result`. An empty description becomes the system's text for
// the code or, when it has none, a sentence naming the code; an empty source
// becomes `defaultSource` (the object's class name).
Error AutomationError(HRESULT result, const Text& description, const Text& defaultSource);

// The error an object reported through EXCEPINFO (DISP_E_EXCEPTION). The
// structure's strings are freed.
Error ExceptionInfoError(EXCEPINFO& info, const Text& defaultSource);

// The error for a failed call on `object` other than DISP_E_EXCEPTION,
// taking its description and source from IErrorInfo when the object
// supports it.
Error CallError(HRESULT result, IDispatch& object, const Text& defaultSource);

}  // namespace korvane::windows
