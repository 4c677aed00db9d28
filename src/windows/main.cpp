// TessalyKorvane: the launcher's Windows program. Wires the Win32 and COM
// adapters into the launcher, shows the main window after its load event and
// runs its messages until it is unloaded.

#include "common/launcher.h"
#include "platform/error.h"
#include "platform/report_error.h"
#include "shell/main_window.h"
#include "windows/access_automation.h"
#include "windows/ado_database_engine.h"
#include "windows/automation_factory.h"
#include "windows/busy_server_filter.h"
#include "windows/com_apartment.h"
#include "windows/dll_search.h"
#include "windows/file_support_log.h"
#include "windows/html_help_viewer.h"
#include "windows/main_frame.h"
#include "windows/open_file_dialog.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

namespace {

// Runs the launcher; returns the program's exit code.
int RunLauncher(HINSTANCE instance, int showCommand) {
  using namespace korvane;
  using namespace korvane::windows;

  // Declared first, so that the window thread's apartment is left after
  // every COM object is gone.
  ComApartment apartment(&BusyServerFilter());
  Win32HostServices host;
  ComAutomationFactory factory(apartment);
  AdoDatabaseEngine engine(factory);
  // Declared before the window so that the Access object it may hold is
  // released last, when the program ends.
  AccessAutomation hostAutomation(factory);
  Win32OpenFileDialog fileDialog(apartment);
  HtmlHelpViewer helpViewer(apartment);
  MainFrame frame(instance, apartment);
  FileSupportLog supportLog;
  Launcher launcher{host, engine, hostAutomation, fileDialog, helpViewer, frame, supportLog, {}};
  MainWindow mainWindow(launcher);
  // A launch ends the program at once: the Access instance asked for its
  // folder must not outlive it, nor wait for COM to notice it is gone.
  host.SetReleaseAtEnd([&hostAutomation, &apartment] {
    hostAutomation.ReleaseCreatedHosts();
    apartment.Leave();
  });

  try {
    frame.Create(mainWindow);
  } catch (const Error& error) {
    ReportError(host, error, kApplicationTitle);
    return 1;
  }
  host.SetOwnerWindow(frame.Window());
  fileDialog.SetOwnerWindow(frame.Window());

  frame.Load();
  if (!frame.Window()) return 0;  // unloaded during load
  ShowWindow(frame.Window(), showCommand);
  UpdateWindow(frame.Window());

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // Before anything loads a DLL by name.
  korvane::windows::RestrictDllSearch();
  return RunLauncher(instance, showCommand);
}
