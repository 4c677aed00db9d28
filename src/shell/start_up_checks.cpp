#include "shell/start_up_checks.h"

#include "common/launcher.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"
#include "platform/message_titles.h"
#include "platform/report_error.h"

namespace korvane {
namespace {

constexpr char16_t kDriveRootMessage[] = u"建议将该文件安装在文件夹下运行";
constexpr char16_t kMissingFileBefore[] = u"操作系统《";
constexpr char16_t kMissingFileAfter[] = u"》文件丢失,无法操作";
constexpr char16_t kStartUpErrorTitle[] = u"出错LOAD";
constexpr std::size_t kDriveRootLength = 3;

// Checks the components from the workgroup file down to the query
// front-end. A missing component while the query front-end is missing too
// rebuilds the query front-end from the main front-end; any other missing
// component ends the program.
void CheckComponentFiles(Launcher& launcher) {
  HostServices& host = launcher.host;
  for (int index = ComponentFiles::kCount - 1; index >= 0; --index) {
    const auto file = static_cast<ComponentFile>(index);
    if (host.FileExists(launcher.ComponentPath(file))) continue;
    const Text queryFrontEnd = launcher.ComponentPath(ComponentFile::QueryFrontEnd);
    if (!host.FileExists(queryFrontEnd)) {
      host.CopyFile(launcher.ComponentPath(ComponentFile::MainFrontEnd), queryFrontEnd);
      continue;
    }
    host.ShowMessage(kMissingFileBefore + launcher.componentFiles[file] + kMissingFileAfter,
                     Text(kRefusalTitle), MessageButtons::kOk);
    host.EndProgram();
  }
}

}  // namespace

void RunStartUpChecks(Launcher& launcher) {
  HostServices& host = launcher.host;
  LeaveOnError(
      [&] {
        if (host.IsPreviousInstanceRunning()) host.EndProgram();
        if (host.ProgramFolder().size() == kDriveRootLength) {
          host.ShowMessage(kDriveRootMessage, std::nullopt, MessageButtons::kOk);
          host.EndProgram();
        }
        launcher.componentFiles.Fill();
        CheckComponentFiles(launcher);
      },
      [&](const Error& error) { ReportError(host, error, kStartUpErrorTitle); });
}

void ClearComponentFiles(Launcher& launcher) {
  launcher.componentFiles.Clear();
}

}  // namespace korvane
