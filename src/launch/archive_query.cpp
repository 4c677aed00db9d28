#include "launch/archive_query.h"

#include "common/command_record.h"
#include "common/launcher.h"
#include "platform/file_dialog.h"
#include "launch/front_end_launch.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"

namespace korvane {

void OpenArchiveQuery(Launcher& launcher) {
  HostServices& host = launcher.host;
  FileDialog& dialog = launcher.fileDialog;
  const auto failure = LeaveSilentlyOnError([&] {
    const Text queryBackEnd = launcher.PathInProgramFolder(kQueryBackEndName);
    if (host.FileExists(queryBackEnd)) host.DeleteFile(queryBackEnd);

    dialog.SetCancelError(true);
    dialog.SetMaxFileSize(kArchiveDialogMaxFileSize);
    dialog.SetFlags(kArchiveDialogFlags);
    dialog.SetDialogTitle(kArchiveDialogTitle);
    dialog.SetFilter(kArchiveDialogFilter);
    dialog.ShowOpen();

    const PathParts parts = SplitChosenPath(host, dialog.FileName());
    dialog.SetFileName(Text());
    host.CopyFile(parts.Folder + parts.FileName, queryBackEnd);
    LaunchFrontEnd(launcher, false);
    host.EndProgram();
  });
  if (failure && failure->Number() == error_number::kDialogCancelled) {
    launcher.Record(outcome::kCancelled);
  } else if (failure) {
    launcher.Record(outcome::kFailed, failure);
  }
}

}  // namespace korvane
