#pragma once
// The help viewer on Qt: shows a compiled help file's default topic in a
// window owned by the main window, which then stays open on its own.

#include <QPointer>
#include <QString>

#include "platform/help_viewer.h"

namespace korvane::ui {

class HelpBrowser;

class ChmHelpViewer : public HelpViewer {
 public:
  // Opens the file (a Windows path) with HH_DISPLAY_TOPIC and no topic of
  // the caller's: the file's default topic. Asked again for the same file
  // while its viewer is open, brings that viewer back to its default topic.
  // Returns the viewer window's handle; 0 for another command, a named
  // topic (the launcher names none) or a file that cannot be read. Raises
  // when no viewer window can be made.
  NativeWindowHandle HtmlHelpA(NativeWindowHandle owner, const Text& path, unsigned command,
                               std::uintptr_t data) override;

 private:
  QPointer<HelpBrowser> viewer_;
  QString viewerPath_;
};

}  // namespace korvane::ui
