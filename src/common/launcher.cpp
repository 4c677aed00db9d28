#include "common/launcher.h"

#include "common/command_record.h"
#include "platform/host_services.h"
#include "platform/support_log.h"

namespace korvane {

Text Launcher::PathInProgramFolder(TextView fileName) const {
  Text path = host.ProgramFolder();
  path += u'\\';
  path += fileName;
  return path;
}

Text Launcher::ComponentPath(ComponentFile file) const {
  return PathInProgramFolder(componentFiles[file]);
}

void Launcher::Record(TextView outcome, const std::optional<Error>& error) const {
  supportLog.Append(CommandRecordLine(command, outcome, error));
}

}  // namespace korvane
