#include "help/show_help_file.h"

#include "common/launcher.h"
#include "help/help_viewer.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"
#include "platform/report_error.h"
#include "platform/window_surface.h"

namespace korvane {

void ShowHelpFile(Launcher& launcher) {
  HostServices& host = launcher.host;
  LeaveOnError(
      [&] {
        const Text helpFile = launcher.PathInProgramFolder(kHelpFileName);
        if (!host.FileExists(helpFile)) return;
        // The viewer stays open on its own; the command does not wait for it.
        launcher.helpViewer.HtmlHelpA(launcher.window.Handle(), helpFile, kHhDisplayTopic, 0);
      },
      [&](const Error& error) {
        if (error.Number() != 0) ReportError(host, error, u"出错");
      });
}

}  // namespace korvane
