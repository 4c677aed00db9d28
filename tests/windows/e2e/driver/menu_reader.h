#pragma once
// Reads the menu bar of a window of another process through the menu hook DLL.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct MenuEntry {
  unsigned commandId = 0;
  bool hasSubMenu = false;
  std::wstring caption;
  bool operator==(const MenuEntry&) const = default;
};

// The top-level entries in order; empty when the hook could not read them.
std::vector<MenuEntry> ReadMenuBar(HWND window);

}  // namespace e2e
