#pragma once
// The main window's fixed client area, in pixels at the window's resolution.

#include "windows/win32.h"

namespace korvane::windows {

// The client area in pixels at `dpi` dots per inch: the window's twips at
// 15 twips per pixel at 96 DPI, scaled.
SIZE ClientSizeAt(int dpi);

// Grows or shrinks `window`'s frame until its client area has the fixed
// size at `dpi`: a menu bar that wraps onto a second line takes height
// from it.
void FitClientArea(HWND window, int dpi);

}  // namespace korvane::windows
