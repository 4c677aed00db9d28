#pragma once
// The hourglass while the launcher copies or compacts: nothing is drawn or
// answered meanwhile, so the user is shown that the program is busy.

#include "windows/win32.h"

namespace korvane::windows {

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace korvane::windows
