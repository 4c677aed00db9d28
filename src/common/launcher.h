#pragma once
// Everything the launcher's routines share: the platform seams they reach the
// outside world through, and the table of component files.

#include "common/component_files.h"

namespace korvane {

class HostServices;
class DatabaseEngine;
class HostAutomation;
class FileDialog;
class HelpViewer;
class WindowSurface;

struct Launcher {
  HostServices& host;
  DatabaseEngine& engine;
  HostAutomation& hostAutomation;
  FileDialog& fileDialog;  // CommonDialog1 of the main window
  HelpViewer& helpViewer;
  WindowSurface& window;
  ComponentFiles componentFiles;

  // A file's path beside the launcher: the ProgramFolder, "\" and the name.
  Text PathInProgramFolder(TextView fileName) const;
  // The path of one of the component files.
  Text ComponentPath(ComponentFile file) const;
};

}  // namespace korvane
