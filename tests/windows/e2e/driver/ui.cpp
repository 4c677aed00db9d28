#include "ui.h"

#include <main_window_ids.h>

#include "wait.h"

namespace e2e {
namespace {

struct Search {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  bool needsMessageText;
  HWND found = nullptr;
};

std::wstring ClassName(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  if (ClassName(window) != search.className) return TRUE;
  if (search.title && WindowText(window) != search.title) return TRUE;
  if (search.needsMessageText && !GetDlgItem(window, 0xFFFF)) return TRUE;
  search.found = window;
  return FALSE;
}

HWND Find(DWORD processId, const wchar_t* className, const wchar_t* title, bool messageText) {
  Search search{processId, className, title, messageText};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
  return Find(processId, className, title, false);
}

HWND WaitForWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
  return PollFor(kStepTimeoutMs, [&] { return FindWindowOf(processId, className, title); });
}

HWND WaitForMainWindow(DWORD processId) {
  return WaitForWindowOf(processId, korvane::windows::kMainWindowClass);
}

std::optional<ShownMessage> FindMessageBox(DWORD processId) {
  HWND box = Find(processId, L"#32770", nullptr, true);
  if (!box) return std::nullopt;
  wchar_t text[2048] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 2048);
  ShownMessage shown;
  shown.window = box;
  shown.title = WindowText(box);
  shown.text = text;
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &thread);
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    HWND button = GetDlgItem(box, id);
    if (!button || !IsWindowVisible(button)) continue;
    shown.buttons.push_back(id);
    // The default button is drawn as such, and has the focus when the box opens.
    if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ||
        (!shown.defaultButton && thread.hwndFocus == button))
      shown.defaultButton = id;
  }
  // The message box's icon is a static control (stc1) that holds no icon when
  // the box has none.
  DWORD_PTR icon = 0;
  if (HWND iconControl = GetDlgItem(box, 0x440))
    SendMessageTimeoutW(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon);
  shown.hasIcon = icon != 0;
  return shown;
}

std::optional<ShownMessage> WaitForMessageBox(DWORD processId) {
  return PollFor(kStepTimeoutMs, [&] { return FindMessageBox(processId); });
}

void PressButton(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (button) PostMessageW(button, BM_CLICK, 0, 0);
  PollFor(kStepTimeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

void TypeFileName(HWND dialog, const std::wstring& path) {
  // The name box is a ComboBoxEx32 (0x47C) holding a combo box holding the edit.
  HWND box = GetDlgItem(dialog, 0x47C);
  HWND edit = nullptr;
  if (box) {
    HWND combo = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
    edit = FindWindowExW(combo ? combo : box, nullptr, L"Edit", nullptr);
  }
  if (!edit) edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
  SendMessageTimeoutW(edit ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                      SMTO_ABORTIFHUNG, kStepTimeoutMs, nullptr);
}

void PostCommand(HWND window, unsigned short commandId) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

}  // namespace e2e
