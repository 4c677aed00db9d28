#pragma once
// The main window's icons, at the sizes Windows asks for at the window's
// resolution: a monitor of higher resolution shows larger ones, drawn for
// their size rather than stretched.

#include "windows/win32.h"

namespace korvane::windows {

class WindowIcons {
 public:
  // The icons are the ICON resource `resourceId` of `instance`.
  WindowIcons(HINSTANCE instance, int resourceId) : instance_(instance), resourceId_(resourceId) {}
  ~WindowIcons();
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;

  // Gives `window` its large and small icons at `dpi`, in place of those it
  // had from here.
  void Apply(HWND window, int dpi);

 private:
  HINSTANCE instance_;
  int resourceId_;
  HICON large_ = nullptr;
  HICON small_ = nullptr;
};

}  // namespace korvane::windows
