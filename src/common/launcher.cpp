#include "common/launcher.h"

#include "platform/host_services.h"

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

}  // namespace korvane
