// Loaded into the launcher's process by a WH_GETMESSAGE hook: menus are
// per-process under Wine, so only code running there can read the menu bar;
// and only there can the window be told of a new resolution, or be made to
// paint over a background of the hook's choosing and be read back.

#include <windows.h>

#include <string>
#include <unordered_set>

#include "files.h"
#include "stand_in_record.h"

namespace {

// No colour of the banner, even blended: wherever the banner does not
// cover the client area, this shows through. Magenta reads the same as a
// COLORREF and as a 32-bit DIB's pixel.
constexpr COLORREF kUncovered = RGB(255, 0, 255);

std::wstring MenuLines(HWND window) {
  std::wstring text;
  HMENU bar = GetMenu(window);
  int count = bar ? GetMenuItemCount(bar) : 0;
  for (int position = 0; position < count; ++position) {
    wchar_t caption[256] = L"";
    GetMenuStringW(bar, position, caption, 256, MF_BYPOSITION);
    text += std::to_wstring(GetMenuItemID(bar, position)) + L"\t" + caption + L"\n";
  }
  return text;
}

int IconWidth(HWND window, WPARAM which) {
  ICONINFO info{};
  HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The client area's pixels the banner leaves uncovered, and whether it is
// drawn smoothly: scaled by averaging, it holds more colours than the
// GIF's 256.
std::wstring Coverage(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HBRUSH mark = CreateSolidBrush(kUncovered);
  const LONG_PTR background =
      SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(mark));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = client.right;
  format.bmiHeader.biHeight = -client.bottom;  // top-down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP pixels = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, pixels);
  BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  GdiFlush();
  std::unordered_set<DWORD> colours;
  int uncovered = 0;
  for (LONG at = 0; bits && at < client.right * client.bottom; ++at) {
    const DWORD pixel = static_cast<const DWORD*>(bits)[at] & 0xFFFFFF;
    colours.insert(pixel);
    if (pixel == kUncovered) ++uncovered;
  }
  SelectObject(memory, previous);
  DeleteObject(pixels);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, background);
  DeleteObject(mark);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return L"uncovered\t" + std::to_wstring(uncovered) + L"\nsmooth\t" +
         (colours.size() > 256 ? L"yes" : L"no") + L"\n";
}

// Tells the window that it now lies on a monitor of `dpi` dots per inch, as
// Windows does: WM_DPICHANGED with the frame it suggests there, here 16
// pixels further right and down. Returns how far the frame moved.
std::wstring MoveToDpi(HWND window, int dpi) {
  RECT before{};
  GetWindowRect(window, &before);
  RECT suggested = before;
  OffsetRect(&suggested, 16, 16);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RECT after{};
  GetWindowRect(window, &after);
  return L"moved\t" + std::to_wstring(after.left - before.left) + L"\t" +
         std::to_wstring(after.top - before.top) + L"\n";
}

void WriteWindow(HWND window, int newDpi) {
  window = GetAncestor(window, GA_ROOT);
  // The driver asks until the answer is there: a resolution is changed once.
  static int changedTo = 0;
  std::wstring text = MenuLines(window);
  if (newDpi && newDpi != changedTo) {
    changedTo = newDpi;
    text += MoveToDpi(window, newDpi);
  }
  text += L"icons\t" + std::to_wstring(IconWidth(window, ICON_BIG)) + L"\t" +
          std::to_wstring(IconWidth(window, ICON_SMALL)) + L"\n";
  text += Coverage(window);
  // Written aside and renamed into place, so that the driver never reads half.
  const std::wstring dump = e2e::menu_dump::DumpPath();
  e2e::WriteBytes(dump + L".part", e2e::Utf8(text));
  MoveFileExW((dump + L".part").c_str(), dump.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

// WM_NULL asks for the window's description; its wParam, when not 0, for a
// new resolution first.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    MenuDumpHook(int code, WPARAM removal, LPARAM message) {
  auto* msg = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_NULL) {
    WriteWindow(msg->hwnd, static_cast<int>(msg->wParam));
  }
  return CallNextHookEx(nullptr, code, removal, message);
}
