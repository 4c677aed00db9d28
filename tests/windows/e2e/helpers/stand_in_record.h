#pragma once
// What the helper programs and the driver agree on: the classes the stand-in
// server is registered under, the queries it knows, the files where the
// helpers leave their traces (UTF-16 lines), and how the menu hook is asked
// for the menu bar.

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

struct StandInClass {
  const wchar_t* progId;
  const wchar_t* clsid;
};
// Access.Application first, with a made-up class id since the stand-in never
// replaces a real Access; then ADO's and JRO's classes under their own ids.
inline constexpr StandInClass kClasses[] = {
    {L"Access.Application", L"{6B0F3C52-8E4A-4D17-A2C9-5E13F7B4D0A8}"},
    {L"ADODB.Connection", L"{00000514-0000-0010-8000-00AA006D2EA4}"},
    {L"ADODB.Recordset", L"{00000535-0000-0010-8000-00AA006D2EA4}"},
    {L"JRO.JetEngine", L"{DE88C160-FF2C-11D1-BB6F-00C04FAE22DA}"},
};

// The two queries the engine stand-in answers.
inline constexpr wchar_t kDiscoveryQuery[] =
    L" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not ( Database) = 'isnull')) "
    L"WITH OWNERACCESS OPTION";
inline constexpr wchar_t kProbeQuery[] =
    L"SELECT 代码,管理员ID, 姓名 FROM 人员编码 RIGHT JOIN 代码 ON 人员编码.操作id = 代码.管理员ID "
    L"WHERE 管理员ID>0";

inline std::wstring BesideSelf(const wchar_t* name) {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe);
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

inline void AppendUtf16(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(file);
}

// Writes the whole file aside and renames it into place, so that a reader
// waiting for the file never sees half of it.
inline void WriteUtf16Whole(const std::wstring& path, const std::wstring& text) {
  const std::wstring partial = path + L".part";
  DeleteFileW(partial.c_str());
  AppendUtf16(partial, text);
  MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace e2e::stand_in

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
