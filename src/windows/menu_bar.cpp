#include "windows/menu_bar.h"

#include <iterator>

#include "windows/main_window_ids.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

// WM_COMMAND identifier of each entry of the menu bar, in menu order.
constexpr unsigned kMenuIds[] = {kIdRun, kIdCompact, kIdBackUp, kIdQuery, kIdHelp, kIdClose};
static_assert(std::size(kMenuIds) == kMenuBar.size());

}  // namespace

HMENU CreateMenuBar() {
  HMENU bar = CreateMenu();
  if (!bar) throw LastError(u"CreateMenu");
  for (std::size_t i = 0; i < kMenuBar.size(); ++i) {
    // Captions carry no '&', so no entry gets an access key.
    if (!AppendMenuW(bar, MF_STRING, kMenuIds[i],
                     reinterpret_cast<const wchar_t*>(kMenuBar[i].caption))) {
      const Error error = LastError(u"AppendMenu");
      DestroyMenu(bar);
      throw error;
    }
  }
  return bar;
}

std::optional<MenuCommand> CommandOf(unsigned identifier) {
  for (std::size_t i = 0; i < kMenuBar.size(); ++i) {
    if (kMenuIds[i] == identifier) return kMenuBar[i].command;
  }
  return std::nullopt;
}

}  // namespace korvane::windows
