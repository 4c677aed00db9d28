#include "windows/client_size.h"

#include "shell/main_window.h"
#include "windows/display_dpi.h"

namespace korvane::windows {

SIZE ClientSizeAt(int dpi) {
  return {AtDpi(kClientWidthTwips / kTwipsPerPixelAt96Dpi, dpi),
          AtDpi(kClientHeightTwips / kTwipsPerPixelAt96Dpi, dpi)};
}

void FitClientArea(HWND window, int dpi) {
  const SIZE wanted = ClientSizeAt(dpi);
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
