#pragma once
// The agreement between the menu hook DLL, which runs inside the launcher,
// and the driver, which asks it for the menu bar of a window.

#include <windows.h>

#include <string>

namespace e2e::menu_dump {

// A WM_NULL carrying these parameters asks the hook to write the menu bar of
// the window it was posted to.
inline constexpr WPARAM kRequestW = 0x4B4D454E;  // "KMEN"
inline constexpr LPARAM kRequestL = 0x44554D50;  // "DUMP"

// The hook procedure's exported name. The DLL exports it without the
// stdcall decoration, which only 32-bit exports would carry.
inline constexpr char kHookProcName[] = "MenuDumpHook";

// Where the hook writes the menu of a process: one line per top-level entry,
// "<command id>\t<1 when it has a sub-menu, else 0>\t<caption>", in UTF-16.
inline std::wstring DumpPath(DWORD processId) {
  wchar_t folder[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"korvane-menu-" + std::to_wstring(processId) + L".txt";
}

}  // namespace e2e::menu_dump
