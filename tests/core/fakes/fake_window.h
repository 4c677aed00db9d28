#pragma once
// The main window's surface, as the platform shows it.

#include <functional>

#include "fakes/call_log.h"
#include "platform/window_surface.h"

namespace korvane::testing {

inline constexpr NativeWindowHandle kWindowHandle = 0x1A2B;

class FakeWindow : public WindowSurface {
 public:
  explicit FakeWindow(CallLog& log) : log_(log) {}

  // The platform's unload event, run by Unload.
  std::function<void()> onUnload;

  NativeWindowHandle Handle() override {
    log_.Enter("Window.Handle");
    return kWindowHandle;
  }
  void SetVisible(bool value) override {
    log_.Enter("Window.SetVisible", {value ? u"True" : u"False"});
  }
  void Unload() override {
    log_.Enter("Window.Unload");
    if (onUnload) onUnload();
  }

 private:
  CallLog& log_;
};

}  // namespace korvane::testing
