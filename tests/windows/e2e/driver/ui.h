#pragma once
// Finding and working the launcher's windows from another process on the
// same desktop: its main window and menu bar, its message boxes and its
// open-file dialog.

#include <windows.h>

#include <string>

namespace e2e {

// A visible top-level window of the process with the class (and, when given,
// the title; for a message box, its text control), or nothing.
HWND FindWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr,
                  bool messageBox = false);
HWND WaitForWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);
std::wstring WindowText(HWND window);

// A message box of the process (a dialog whose text is the static control
// 0xFFFF) once it shows, or nothing.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Presses a button of a dialog and waits until the dialog has gone.
void PressButton(HWND dialog, int buttonId);
// Types a path into an open-file dialog's file name box.
void TypeFileName(HWND dialog, const std::wstring& path);
// The text of a dialog's control.
std::wstring ControlText(HWND dialog, int controlId);

// The menu bar as the menu hook writes it from inside the launcher; empty
// when it could not be read.
std::string ReadMenuBar(HWND window, const std::wstring& hookDll);

}  // namespace e2e
