#include "windows/window_icons.h"

#include "windows/display_dpi.h"

namespace korvane::windows {
namespace {

// The icon file holds an image for each size Windows asks for at 100, 125,
// 150 and 200 %; LoadImageW picks the nearest for other sizes.
HICON LoadAtDpi(HINSTANCE instance, int resourceId, int widthMetric, int heightMetric, int dpi) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                       SystemMetricAt(widthMetric, dpi),
                                       SystemMetricAt(heightMetric, dpi), LR_DEFAULTCOLOR));
}

// Sets one of the window's icons; the one it replaces goes.
void Replace(HWND window, WPARAM which, HICON& held, HICON icon) {
  SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  if (held) DestroyIcon(held);
  held = icon;
}

}  // namespace

WindowIcons::~WindowIcons() {
  if (large_) DestroyIcon(large_);
  if (small_) DestroyIcon(small_);
}

void WindowIcons::Apply(HWND window, int dpi) {
  Replace(window, ICON_BIG, large_, LoadAtDpi(instance_, resourceId_, SM_CXICON, SM_CYICON, dpi));
  Replace(window, ICON_SMALL, small_,
          LoadAtDpi(instance_, resourceId_, SM_CXSMICON, SM_CYSMICON, dpi));
}

}  // namespace korvane::windows
