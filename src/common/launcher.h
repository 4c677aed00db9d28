#pragma once
// Everything the launcher's routines share: the platform seams they reach the
// outside world through, and the table of component files.

#include <optional>

#include "common/component_files.h"
#include "platform/error.h"

namespace korvane {

class HostServices;
class DatabaseEngine;
class HostAutomation;
class FileDialog;
class HelpViewer;
class WindowSurface;
class SupportLog;

struct Launcher {
  HostServices& host;
  DatabaseEngine& engine;
  HostAutomation& hostAutomation;
  FileDialog& fileDialog;  // CommonDialog1 of the main window
  HelpViewer& helpViewer;
  WindowSurface& window;
  SupportLog& supportLog;
  ComponentFiles componentFiles;
  // The menu command being run, as the menu names it; the support log's
  // lines are about it.
  Text command = {};

  // A file's path beside the launcher: the ProgramFolder, "\" and the name.
  Text PathInProgramFolder(TextView fileName) const;
  // The path of one of the component files.
  Text ComponentPath(ComponentFile file) const;
  // Appends the line for the command being run to the support log.
  void Record(TextView outcome, const std::optional<Error>& error = std::nullopt) const;
};

}  // namespace korvane
