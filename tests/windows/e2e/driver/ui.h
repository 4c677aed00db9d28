#pragma once
// Finding and working the launcher's windows from another process on the
// same desktop: its main window and menu bar, its message boxes and its
// open-file dialog.

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

// The menu bar as the menu hook writes it from inside the launcher; empty
// when it could not be read.
inline std::string ReadMenuBar(HWND window, const std::wstring& hookDll) {
  const std::wstring dump = menu_dump::DumpPath();
  DeleteFileW(dump.c_str());
  HMODULE hook = LoadLibraryW(hookDll.c_str());
  HHOOK hooked = SetWindowsHookExW(WH_GETMESSAGE,
                                   reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                       GetProcAddress(hook, menu_dump::kHookProcName))),
                                   hook, GetWindowThreadProcessId(window, nullptr));
  // Asks again now and then: the first request may come before the hook is
  // set up in the launcher.
  const auto menu = PollFor(kStepTimeoutMs, [&] {
    PostMessageW(window, WM_NULL, 0, 0);
    Sleep(200);
    return ReadBytes(dump);
  });
  UnhookWindowsHookEx(hooked);
  FreeLibrary(hook);
  return menu.value_or("");
}

}  // namespace e2e
