#pragma once
// The resolution the main window is drawn at. The manifest makes the
// program aware of each monitor's own: the window is drawn at the
// resolution of the monitor it is on, and Windows tells it when that
// changes (WM_DPICHANGED).

#include "windows/win32.h"

namespace korvane::windows {

// 100 %: the resolution at which the window's sizes and pictures are given.
inline constexpr int kBaseDpi = 96;

// `length` at 96 DPI, in pixels at `dpi`.
inline int AtDpi(int length, int dpi) {
  return MulDiv(length, dpi, kBaseDpi);
}

// The screen's dots per inch; 96 when it cannot be read.
int SystemDpi();

// The window's dots per inch: GetDpiForWindow where Windows has it
// (Windows 10, version 1607, on), else the screen's.
int WindowDpi(HWND window);

// GetSystemMetrics at `dpi`: GetSystemMetricsForDpi where Windows has it,
// else the screen's own metric, which is at the screen's resolution.
int SystemMetricAt(int metric, int dpi);

}  // namespace korvane::windows
