#pragma once
// Finding and working the launcher's windows from another process on the
// same desktop: its main window, menu bar, icons and banner, its message
// boxes and its open-file dialog.

#include <windows.h>

#include <string>

#include "files.h"
#include "stand_in_record.h"
#include "wait.h"

namespace e2e {

inline std::wstring WindowText(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

// A visible top-level window of the process with the class (and, when given,
// the title; for a message box, its text control), or nothing.
inline HWND FindWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr,
                         bool messageBox = false) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, title));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window) &&
        (!messageBox || GetDlgItem(window, 0xFFFF)))
      return window;
  }
  return nullptr;
}

inline HWND WaitForWindowOf(DWORD processId, const wchar_t* className,
                            const wchar_t* title = nullptr) {
  return PollFor(kStepTimeoutMs, [&] { return FindWindowOf(processId, className, title); });
}

// The text of a dialog's control.
inline std::wstring ControlText(HWND dialog, int controlId) {
  wchar_t text[2048] = L"";
  SendMessageTimeoutW(GetDlgItem(dialog, controlId), WM_GETTEXT, 2048,
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kStepTimeoutMs, nullptr);
  return text;
}

// A message box of the process (a dialog whose text is the static control
// 0xFFFF) once it shows, or nothing.
inline HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return PollFor(timeoutMs, [&] { return FindWindowOf(processId, L"#32770", nullptr, true); });
}

// Presses a button of a dialog and waits until the dialog has gone.
inline void PressButton(HWND dialog, int buttonId) {
  PostMessageW(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
  PollFor(kStepTimeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

// Types a path into an open-file dialog's file name box.
inline void TypeFileName(HWND dialog, const std::wstring& path) {
  // The name box (0x47C) hands the text on to its edit.
  SendMessageTimeoutW(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, kStepTimeoutMs,
                      nullptr);
}

// The window as the menu hook describes it from inside the launcher: the
// menu bar, one line per entry, then its icons' widths and how its banner
// covers the client area (see menu_hook.cpp); first, when `newDpi` is not 0,
// the window is told that it now lies on a monitor of that resolution.
// Empty when it could not be read.
inline std::string ReadWindow(HWND window, const std::wstring& hookDll, int newDpi = 0) {
  const std::wstring dump = menu_dump::DumpPath();
  DeleteFileW(dump.c_str());
  HMODULE hook = LoadLibraryW(hookDll.c_str());
  HHOOK hooked = SetWindowsHookExW(WH_GETMESSAGE,
                                   reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                       GetProcAddress(hook, menu_dump::kHookProcName))),
                                   hook, GetWindowThreadProcessId(window, nullptr));
  // Asks again now and then: the first request may come before the hook is
  // set up in the launcher.
  const auto described = PollFor(kStepTimeoutMs, [&] {
    PostMessageW(window, WM_NULL, static_cast<WPARAM>(newDpi), 0);
    Sleep(200);
    return ReadBytes(dump);
  });
  UnhookWindowsHookEx(hooked);
  FreeLibrary(hook);
  return described.value_or("");
}

}  // namespace e2e
