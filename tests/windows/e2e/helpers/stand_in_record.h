#pragma once
// What the helper programs and the driver agree on: the classes the stand-in
// server is registered under, and the files where the helpers leave their
// traces.

#include <windows.h>

#include <string>

namespace e2e::stand_in {

// Appended to by the stand-in msaccess.exe (the server under that name) at each start: its command
// line, its start-up flags and its show state, separated by tabs.
inline constexpr wchar_t kStartRecord[] = L"msaccess-started.txt";
// Where the scenarios put the stand-in msaccess.exe, and so what Access
// answers for its folder.
inline constexpr wchar_t kHostFolder[] = L"C:\\Office\\";
// Appended to by the server: "new <ProgID>" for each object made by a class
// factory, and "<object>.<member>(<vt>:<value>,...)" for each call, with "="
// before the bracket when a property is set.
inline constexpr wchar_t kCallLog[] = L"stand-in-calls.txt";
// A manual-reset event; every running server ends when it is set.
inline constexpr wchar_t kQuitEvent[] = L"Local\\KorvaneStandInQuit";

// Each ProgID names a class id of the stand-in's own, Access.Application's
// as Access is not installed; ADO's ProgIDs name their classes in the prefix
// again afterwards.
struct StandInClass {
  const wchar_t* progId;
  const wchar_t* clsid;
  const wchar_t* prefixClsid;  // the prefix's own class, if it has one
};
inline constexpr StandInClass kClasses[] = {
    {L"Access.Application", L"{6B0F3C52-8E4A-4D17-A2C9-5E13F7B4D0A8}", nullptr},
    {L"ADODB.Connection", L"{6B0F3C52-8E4A-4D17-A2C9-5E13F7B4D0A9}",
     L"{00000514-0000-0010-8000-00AA006D2EA4}"},
    {L"ADODB.Recordset", L"{6B0F3C52-8E4A-4D17-A2C9-5E13F7B4D0AA}",
     L"{00000535-0000-0010-8000-00AA006D2EA4}"},
    {L"JRO.JetEngine", L"{6B0F3C52-8E4A-4D17-A2C9-5E13F7B4D0AB}", nullptr},
};

inline std::wstring BesideSelf(const wchar_t* name) {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe);
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

}  // namespace e2e::stand_in

namespace e2e::menu_dump {

// The hook procedure's exported name. The DLL exports it without the
// stdcall decoration, which only 32-bit exports would carry.
inline constexpr char kHookProcName[] = "MenuDumpHook";

// Where the hook describes the window when the launcher gets a WM_NULL: one
// line per top-level entry of the menu bar, "<command id>\t<caption>", then
// lines "<what>\t<value>..." of what only the window's thread can see.
inline std::wstring DumpPath() {
  wchar_t folder[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"korvane-menu.txt";
}

}  // namespace e2e::menu_dump
