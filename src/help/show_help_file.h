#pragma once

namespace korvane {

struct Launcher;

inline constexpr char16_t kHelpFileName[] = u"nuqe.chm";

// The 帮助 command: shows "nuqe.chm" beside the launcher in the help viewer,
// owned by the main window. A missing file shows nothing; a failing viewer
// is reported under "出错". Never raises.
void ShowHelpFile(Launcher& launcher);

}  // namespace korvane
