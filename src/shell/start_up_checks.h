#pragma once

namespace korvane {

struct Launcher;

// The main window's load step: refuses a second copy and a drive-root
// folder, fills the component files and checks them, rebuilding a missing
// query front-end. Returns (the window is then shown) or ends the program.
void RunStartUpChecks(Launcher& launcher);

// The main window's unload step: empties the component files. Never refuses
// the unload.
void ClearComponentFiles(Launcher& launcher);

}  // namespace korvane
