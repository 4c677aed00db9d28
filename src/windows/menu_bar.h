#pragma once
// The main window's menu bar on Win32: its six entries, and the command
// behind each WM_COMMAND identifier.

#include <optional>

#include "shell/main_window.h"
#include "windows/win32.h"

namespace korvane::windows {

// A menu bar with the launcher's entries in order; raises when it cannot be
// made.
HMENU CreateMenuBar();

// The menu command behind a WM_COMMAND identifier, if it is one.
std::optional<MenuCommand> CommandOf(unsigned identifier);

}  // namespace korvane::windows
