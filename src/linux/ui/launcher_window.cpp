#include "launcher_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>

#include "banner_view.h"
#include "progress_box.h"
#include "qt_text.h"

namespace korvane::ui {
namespace {

// A caption shown as it is: Qt would otherwise read "&" as an access key,
// and the menu has none.
QString LiteralCaption(const char16_t* caption) {
  return ToQString(caption).replace(u'&', QStringLiteral("&&"));
}

}  // namespace

LauncherWindow::LauncherWindow(const QString& bannerFile, const QIcon& icon) {
  setWindowTitle(ToQString(kWindowCaption));
  setWindowIcon(icon);
  setCentralWidget(new BannerView(bannerFile, this));
  // The window takes the size of its menu bar and client area and keeps it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  QMenuBar* bar = menuBar();
  // The entries stay on the window's own bar, never moved to a desktop's
  // global menu bar.
  bar->setNativeMenuBar(false);
  for (const MenuEntry& entry : kMenuBar) {
    QAction* action = bar->addAction(LiteralCaption(entry.caption));
    action->setData(static_cast<int>(entry.command));
    // Queued: the command runs from the event loop, not inside the menu
    // bar's own mouse handling, so a command that closes the window or
    // opens a modal box finds the bar at rest.
    connect(
        action, &QAction::triggered, this,
        [this, command = entry.command] {
          if (onCommand_) onCommand_(command);
        },
        Qt::QueuedConnection);
  }
}

QAction* LauncherWindow::ActionFor(MenuCommand command) const {
  for (QAction* action : menuBar()->actions()) {
    if (action->data().toInt() == static_cast<int>(command)) return action;
  }
  return nullptr;
}

NativeWindowHandle LauncherWindow::Handle() {
  return static_cast<NativeWindowHandle>(winId());
}

void LauncherWindow::SetVisible(bool visible) {
  setVisible(visible);
}

void LauncherWindow::Unload() {
  close();
}

std::unique_ptr<Progress> LauncherWindow::ShowProgress(const Text& line, bool cancellable) {
  try {
    return std::make_unique<ProgressBox>(this, line, cancellable);
  } catch (...) {
    // Without a box the work runs all the same, unwatched.
    return std::make_unique<UnwatchedProgress>();
  }
}

void LauncherWindow::closeEvent(QCloseEvent* event) {
  // The unload runs once and is never refused; the window being the
  // launcher's only one, the program ends when the event loop is next idle.
  if (!unloaded_) {
    unloaded_ = true;
    if (onUnload_) onUnload_();
    QCoreApplication::quit();
  }
  event->accept();
}

}  // namespace korvane::ui
