#include "help/show_help_file.h"

#include "common/command_record.h"
#include "common/launcher.h"
#include "platform/help_viewer.h"
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
        if (!host.FileExists(helpFile)) {
          launcher.Record(outcome::kNoHelpFile);
          return;
        }
        // The viewer stays open on its own; the command does not wait for it.
        launcher.helpViewer.HtmlHelpA(launcher.window.Handle(), helpFile, kHhDisplayTopic, 0);
        launcher.Record(outcome::kDone);
      },
      [&](const Error& error) {
        launcher.Record(outcome::kFailed, error);
        if (error.Number() != 0) ReportError(host, error, u"出错");
      });
}

}  // namespace korvane
