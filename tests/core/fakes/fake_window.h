#pragma once
// The main window's surface, as the platform shows it.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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
  std::unique_ptr<Progress> ShowProgress(const Text& line, bool cancellable) override {
    progressShown.push_back({line, cancellable});
    return std::make_unique<Watched>(*this);
  }

  // The progress boxes shown, and what the user does in them.
  struct ProgressBox {
    Text line;
    bool cancellable;
    bool operator==(const ProgressBox&) const = default;
  };
  std::vector<ProgressBox> progressShown;
  bool userCancels = false;

 private:
  class Watched : public Progress {
   public:
    explicit Watched(FakeWindow& window) : window_(window) {}
    bool Advance(std::uint64_t, std::uint64_t) noexcept override { return !window_.userCancels; }

   private:
    FakeWindow& window_;
  };

  CallLog& log_;
};

}  // namespace korvane::testing
