#pragma once
// The launcher's main window on Win32: its own window class, caption, fixed
// client size, banner, icon and menu bar, all at the resolution of the
// monitor it is on. Events go to korvane::MainWindow.

#include "platform/window_surface.h"
#include "shell/main_window.h"
#include "windows/banner_picture.h"
#include "windows/win32.h"
#include "windows/window_icons.h"

namespace korvane::windows {

class MainFrame final : public WindowSurface {
 public:
  // The banner is decoded in `apartment`, the window thread's.
  MainFrame(HINSTANCE instance, ComApartment& apartment);
  MainFrame(const MainFrame&) = delete;
  MainFrame& operator=(const MainFrame&) = delete;
  ~MainFrame() override;

  // Creates the window, not yet shown; its events go to `model`. Raises
  // when the window cannot be created.
  void Create(MainWindow& model);
  // The load event, before the window is first shown.
  void Load();

  NativeWindowHandle Handle() override { return reinterpret_cast<NativeWindowHandle>(window_); }
  HWND Window() const { return window_; }
  void SetVisible(bool visible) override;
  void Unload() override;
  std::unique_ptr<Progress> ShowProgress(const Text& line, bool cancellable) override;

 private:
  // An exception never crosses the system's frames: one that escaped a
  // handler would be a fault of the launcher, which then ends.
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void RunCommand(MenuCommand command);
  void Paint();
  // The window's resolution became `dpi`; `suggested` is the frame Windows
  // proposes for it there.
  void Rescale(int dpi, const RECT& suggested);

  HINSTANCE instance_;
  MainWindow* model_ = nullptr;
  HWND window_ = nullptr;
  BannerPicture banner_;
  WindowIcons icons_;
  // The window's dots per inch, which its client area, banner and icons
  // follow.
  int dpi_;
  // True while the load event or a command runs: their message boxes and
  // dialog pump this window's messages, and no command may start meanwhile.
  bool busy_ = false;
};

}  // namespace korvane::windows
