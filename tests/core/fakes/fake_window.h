#pragma once
// The main window's surface and the help viewer, as the platform shows them.

#include <functional>

#include "fakes/call_log.h"
#include "help/help_viewer.h"
#include "shell/window_surface.h"

namespace korvane::testing {

inline constexpr NativeWindowHandle kWindowHandle = 0x1A2B;

class FakeWindow : public WindowSurface {
 public:
  explicit FakeWindow(CallLog& log) : log_(log) {}

  // The platform's unload event, run by Unload.
  std::function<void()> onUnload;
  bool visible = true;
  bool unloaded = false;

  NativeWindowHandle Handle() override {
    log_.Enter("Window.Handle");
    return kWindowHandle;
  }
  void SetVisible(bool value) override {
    log_.Enter("Window.SetVisible", {value ? u"True" : u"False"});
    visible = value;
  }
  void Unload() override {
    log_.Enter("Window.Unload");
    unloaded = true;
    if (onUnload) onUnload();
  }

 private:
  CallLog& log_;
};

class FakeHelpViewer : public HelpViewer {
 public:
  explicit FakeHelpViewer(CallLog& log) : log_(log) {}

  NativeWindowHandle viewerHandle = 0x3C4D;

  NativeWindowHandle HtmlHelpA(NativeWindowHandle owner, const Text& path, unsigned command,
                               std::uintptr_t data) override {
    log_.Enter("HtmlHelpA", {Arg(static_cast<long long>(owner)), path, Arg(command),
                             Arg(static_cast<long long>(data))});
    return viewerHandle;
  }

 private:
  CallLog& log_;
};

}  // namespace korvane::testing
