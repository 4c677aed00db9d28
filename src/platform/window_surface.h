#pragma once
// What the launcher's routines need of the platform's main window.

#include <cstdint>
#include <memory>

#include "platform/progress.h"
#include "platform/text.h"

namespace korvane {

// A platform window handle (HWND on Windows), passed through untouched.
using NativeWindowHandle = std::uintptr_t;

class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  // The main window's native handle: the owner of the help viewer.
  virtual NativeWindowHandle Handle() = 0;
  // Shows or hides the main window; the launch hides it before it starts the
  // database host. Raises when the window cannot be changed.
  virtual void SetVisible(bool visible) = 0;
  // Unloads the main window: the platform runs its unload event (which
  // empties the component files) and, the last window being gone, the
  // launcher ends once the current command returns. Never raises.
  virtual void Unload() = 0;
  // Shows long work's progress in a box of its own under the status title,
  // with `line` above the bar, once the work has lasted about a second;
  // with a Cancel button when `cancellable`. The bar moves without measure
  // until the work reports how far it has got. The box goes when the object
  // is destroyed. Never raises: a box that cannot be shown changes nothing
  // else.
  virtual std::unique_ptr<Progress> ShowProgress(const Text& line, bool cancellable) = 0;
};

}  // namespace korvane
