#pragma once
// The launcher's only window on Qt: caption, icon, the banner as its client
// area and the six commands as top-level entries of the menu bar. It forwards
// the commands and its unload to the window model and serves the launcher's
// routines as their WindowSurface.

#include <QMainWindow>
#include <functional>

#include "platform/window_surface.h"
#include "shell/main_window.h"

namespace korvane::ui {

class LauncherWindow : public QMainWindow, public WindowSurface {
 public:
  using CommandHandler = std::function<void(MenuCommand)>;
  using UnloadHandler = std::function<void()>;

  // `bannerFile` names the background picture (see BannerView).
  LauncherWindow(const QString& bannerFile, const QIcon& icon);

  // Where the menu's commands and the unload event go.
  void OnCommand(CommandHandler handler) { onCommand_ = std::move(handler); }
  void OnUnload(UnloadHandler handler) { onUnload_ = std::move(handler); }

  // The menu entry that runs `command`.
  QAction* ActionFor(MenuCommand command) const;

  NativeWindowHandle Handle() override;
  void SetVisible(bool visible) override;
  void Unload() override;
  // A ProgressBox over this window (progress_box.h).
  std::unique_ptr<Progress> ShowProgress(const Text& line, bool cancellable) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  CommandHandler onCommand_;
  UnloadHandler onUnload_;
  bool unloaded_ = false;
};

}  // namespace korvane::ui
