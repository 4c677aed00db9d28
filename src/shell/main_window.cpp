#include "shell/main_window.h"

#include "common/command_record.h"
#include "common/launcher.h"
#include "help/show_help_file.h"
#include "launch/archive_query.h"
#include "launch/front_end_launch.h"
#include "maintenance/maintain_back_end.h"
#include "platform/host_services.h"
#include "platform/window_surface.h"
#include "shell/start_up_checks.h"

namespace korvane {

void MainWindow::Load() {
  RunStartUpChecks(launcher_);
}

void MainWindow::Unload() {
  ClearComponentFiles(launcher_);
}

void MainWindow::Choose(MenuCommand command) {
  for (const MenuEntry& entry : kMenuBar) {
    if (entry.command == command) launcher_.command = entry.caption;
  }
  switch (command) {
    case MenuCommand::运行:
      LaunchFrontEnd(launcher_, true);
      launcher_.host.EndProgram();  // never returns
      return;
    case MenuCommand::压缩:
      MaintainBackEnd(launcher_, kCompactAction);
      return;
    case MenuCommand::备份:
      MaintainBackEnd(launcher_, kBackUpAction);
      return;
    case MenuCommand::查询:
      OpenArchiveQuery(launcher_);
      return;
    case MenuCommand::帮助:
      ShowHelpFile(launcher_);
      return;
    case MenuCommand::关闭:
      launcher_.Record(outcome::kDone);
      launcher_.window.Unload();
      return;
  }
}

}  // namespace korvane
