#pragma once
// The platform's HTML Help viewer.

#include <cstdint>

#include "platform/text.h"
#include "platform/window_surface.h"

namespace korvane {

inline constexpr unsigned kHhDisplayTopic = 0;

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // HtmlHelpA(owner, path, command, data): the path goes to the viewer in
  // the system's ANSI code page. Returns the viewer window's handle, or 0
  // when no viewer window was opened (not an error). Returns as soon as the
  // viewer shows the file; the viewer then stays open on its own. Raises only
  // when the viewer component cannot be loaded or called.
  virtual NativeWindowHandle HtmlHelpA(NativeWindowHandle owner, const Text& path, unsigned command,
                                       std::uintptr_t data) = 0;
};

}  // namespace korvane
