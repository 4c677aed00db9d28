#pragma once
// The box that long work shows while it runs: the shell's progress dialog
// under the status title, owned by the main window, and the same progress on
// the window's taskbar button.

#include <atomic>
#include <cstdint>

#include "platform/progress.h"
#include "platform/text.h"
#include "windows/unique_handle.h"
#include "windows/win32.h"

namespace korvane::windows {

// Work shorter than this goes by without a box.
inline constexpr DWORD kProgressBoxDelayMs = 1000;

class ProgressBox final : public Progress {
 public:
  // Watches the work from now on. The box appears once `delayMs` have
  // passed, with `line` above the bar and, when `cancellable`, a Cancel
  // button; its bar moves without measure until the work tells a total. The
  // work holds the window's thread until it ends, so the box is looked after
  // by a thread of its own. A box that cannot be shown leaves the work
  // unwatched; raises only when memory runs out.
  ProgressBox(HWND owner, const Text& line, bool cancellable, DWORD delayMs = kProgressBoxDelayMs);
  // The box and the taskbar's progress go.
  ~ProgressBox() override;
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;

  bool Advance(std::uint64_t done, std::uint64_t total) noexcept override;

 private:
  static DWORD WINAPI Watch(void* box) noexcept;
  // On the box's thread, from the box's appearance to the work's end.
  void ShowUntilStopped();

  HWND owner_;
  Text line_;
  bool cancellable_;
  DWORD delayMs_;
  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::uint64_t> total_{0};
  std::atomic<bool> cancelled_{false};
  UniqueHandle stop_;
  UniqueHandle thread_;
};

}  // namespace korvane::windows
