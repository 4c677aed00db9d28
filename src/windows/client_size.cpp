#include "windows/client_size.h"

#include "shell/main_window.h"

namespace korvane::windows {
namespace {

constexpr int kBaseDpi = 96;

}  // namespace

SIZE ClientSizeAt(int dpi) {
  return {MulDiv(kClientWidthTwips / kTwipsPerPixelAt96Dpi, dpi, kBaseDpi),
          MulDiv(kClientHeightTwips / kTwipsPerPixelAt96Dpi, dpi, kBaseDpi)};
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

void FitClientArea(HWND window) {
  const SIZE wanted = ClientSizeAt(SystemDpi());
  RECT client;
  RECT frame;
  if (!GetClientRect(window, &client) || !GetWindowRect(window, &frame)) return;
  const int extraWidth = wanted.cx - (client.right - client.left);
  const int extraHeight = wanted.cy - (client.bottom - client.top);
  if (extraWidth == 0 && extraHeight == 0) return;
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + extraWidth,
               frame.bottom - frame.top + extraHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace korvane::windows
