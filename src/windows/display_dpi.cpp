#include "windows/display_dpi.h"

namespace korvane::windows {
namespace {

// Functions of newer versions of Windows are looked up, not imported, so
// that the program still starts on older ones. The window asks rarely
// enough to look them up each time.
template <typename Function>
Function UserFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
  const auto getDpiForWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

int SystemMetricAt(int metric, int dpi) {
  const auto getSystemMetricsForDpi =
      UserFunction<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  return getSystemMetricsForDpi ? getSystemMetricsForDpi(metric, static_cast<UINT>(dpi))
                                : GetSystemMetrics(metric);
}

}  // namespace korvane::windows
