#pragma once
// The main window's fixed client area, in pixels at the screen's resolution.

#include "windows/win32.h"

namespace korvane::windows {

// The client area in pixels at `dpi` dots per inch: the window's twips at
// 15 twips per pixel at 96 DPI, scaled.
SIZE ClientSizeAt(int dpi);

// The screen's dots per inch; 96 when it cannot be read.
int SystemDpi();

// Grows or shrinks `window`'s frame until its client area has the fixed
// size: a menu bar that wraps onto a second line takes height from it.
void FitClientArea(HWND window);

}  // namespace korvane::windows
