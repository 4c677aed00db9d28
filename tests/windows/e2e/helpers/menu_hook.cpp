// Loaded into the launcher's process by a WH_GETMESSAGE hook: menus are
// per-process under Wine, so only code running there can read the menu bar.

#include <windows.h>

#include <string>

#include "files.h"
#include "stand_in_record.h"

namespace {

void WriteMenu(HWND window) {
  std::wstring text;
  HMENU bar = GetMenu(GetAncestor(window, GA_ROOT));
  int count = bar ? GetMenuItemCount(bar) : 0;
  for (int position = 0; position < count; ++position) {
    wchar_t caption[256] = L"";
    GetMenuStringW(bar, position, caption, 256, MF_BYPOSITION);
    text += std::to_wstring(GetMenuItemID(bar, position)) + L"\t" + caption + L"\n";
  }
  // Written aside and renamed into place, so that the driver never reads half.
  const std::wstring dump = e2e::menu_dump::DumpPath();
  e2e::WriteBytes(dump + L".part", e2e::Utf8(text));
  MoveFileExW((dump + L".part").c_str(), dump.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    MenuDumpHook(int code, WPARAM removal, LPARAM message) {
  auto* msg = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_NULL) WriteMenu(msg->hwnd);
  return CallNextHookEx(nullptr, code, removal, message);
}
