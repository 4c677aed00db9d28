#include "ui.h"

#include "files.h"
#include "stand_in_record.h"
#include "wait.h"

namespace e2e {

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title,
                  bool messageBox) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, title));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window) &&
        (!messageBox || GetDlgItem(window, 0xFFFF)))
      return window;
  }
  return nullptr;
}

HWND WaitForWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
  return PollFor(kStepTimeoutMs, [&] { return FindWindowOf(processId, className, title); });
}

std::wstring ControlText(HWND dialog, int controlId) {
  wchar_t text[2048] = L"";
  SendMessageTimeoutW(GetDlgItem(dialog, controlId), WM_GETTEXT, 2048,
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kStepTimeoutMs, nullptr);
  return text;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return PollFor(timeoutMs, [&] { return FindWindowOf(processId, L"#32770", nullptr, true); });
}

void PressButton(HWND dialog, int buttonId) {
  PostMessageW(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
  PollFor(kStepTimeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

void TypeFileName(HWND dialog, const std::wstring& path) {
  // The name box is a ComboBoxEx32 (0x47C) holding a combo box holding the edit.
  HWND box = GetDlgItem(dialog, 0x47C);
  HWND combo = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
  HWND edit = FindWindowExW(combo ? combo : box, nullptr, L"Edit", nullptr);
  SendMessageTimeoutW(edit ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                      SMTO_ABORTIFHUNG, kStepTimeoutMs, nullptr);
}

std::string ReadMenuBar(HWND window, const std::wstring& hookDll) {
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
  DeleteFileW(dump.c_str());
  return menu.value_or("");
}

}  // namespace e2e
