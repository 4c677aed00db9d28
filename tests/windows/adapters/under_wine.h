#pragma once
// Where Wine answers otherwise than Windows, a test that meets the
// difference under Wine is skipped with the reason.

#include "windows/win32.h"

namespace korvane::windows::test {

inline bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace korvane::windows::test
