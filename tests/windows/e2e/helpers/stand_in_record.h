#pragma once
// Where the stand-in programs leave their traces, and in what form: UTF-16
// text files beside the stand-in's own executable, one item per line.

#include <windows.h>

#include <string>

namespace e2e::stand_in {

// Written by the stand-in msaccess.exe: its command line, then its start-up
// flags and show state in decimal.
inline constexpr wchar_t kStartRecord[] = L"msaccess-started.txt";

// Read by the stand-in Access automation server: "name=<text>" (the open
// database's AppTitle), "folder=<text>" (the answer of SysCmd 9) and
// "name_fails=1" (reading the name raises an error).
inline constexpr wchar_t kServerSettings[] = L"access-stand-in.txt";
// Appended to by the server: one line per automation call it answered.
inline constexpr wchar_t kServerCalls[] = L"access-stand-in-calls.txt";
// A manual-reset event; every running server ends when it is set.
inline constexpr wchar_t kServerQuitEvent[] = L"Local\\KorvaneAutomationStandInQuit";

// The class the stand-in server is registered under as "Access.Application".
inline constexpr CLSID kServerClsid = {
    0x6b0f3c52, 0x8e4a, 0x4d17, {0xa2, 0xc9, 0x5e, 0x13, 0xf7, 0xb4, 0xd0, 0xa8}};
inline constexpr wchar_t kServerClsidText[] = L"{6B0F3C52-8E4A-4D17-A2C9-5E13F7B4D0A8}";

inline std::wstring BesideSelf(const wchar_t* name) {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe);
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

inline void AppendUtf16(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
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
