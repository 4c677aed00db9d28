#pragma once
// A scenario: the launcher started in an installation laid out on D: (and
// K:), worked through its steps, each a user's action or what the user must
// see; then the files it changed, the program it started and the calls the
// stand-ins answered are compared with the scenario's expectations.

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "files.h"
#include "stand_ins.h"

namespace e2e {

enum class Act {
  Command,     // n: the menu command chosen
  Box,         // a message box titled a with text b, answered with OK
  Quiet,       // no message box for a while
  Choose,      // the open-file dialog accepts the path a
  Viewer,      // the help viewer opens over the main window
  Window,      // the main window's caption, size, menu bar, icons and banner, after it
               // is told it moved to a monitor of n DPI when n is given
  Delete,      // the driver deletes a
  Lock,        // the driver holds a open to the end, as another user's Jet does
  LockAlone,   // the driver holds a open to the end, sharing nothing
  SecondCopy,  // a second copy of the launcher ends silently
  Ends,        // the launcher ends by itself
  Close,       // the launcher still runs and 关闭 ends it
  CloseBox,    // the window's close box ends it
};

struct Step {
  Act act;
  std::wstring a = {};
  std::wstring b = {};
  int n = 0;
};

using Calls = std::vector<std::wstring>;

struct Scenario {
  const char* name;
  Files files = {};  // written before the launcher starts
  std::vector<Step> steps = {};
  Files changes = {};                // the launcher's changes to D: and K: ("" : removed)
  const wchar_t* started = nullptr;  // the front-end msaccess.exe was started on, if any
  Calls calls = {};  // the stand-ins must answer these in this order, others between them
  Access access = Access::Installed;
  const wchar_t* exe = L"D:\\App\\TessalyKorvane.exe";
  int dpi = 96;  // the display's resolution while the launcher runs
  // The support log's lines, each as it begins after its time; none: not
  // compared. No line ever holds a password.
  std::vector<std::wstring> log = {};
};

// Marks a file that holds a copy of the sample help file.
inline const std::string kHelpSample = "<help file>";

void Run(const Scenario& scenario);

inline void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

}  // namespace e2e
