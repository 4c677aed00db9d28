#pragma once
// What the Access stand-in takes from its command line, read as Access reads
// its own: the database to open is the first argument that is not a switch;
// /wrkgrp, /user and /pwd take their value either joined to the switch
// ("/pwdpelmo", "/wrkgrp:Z:\a.mdw") or as the next argument ("/user qorvu",
// "/wrkgrp: Z:\a.mdw"). Switch names are compared without regard to case;
// other switches (/excl, /ro, /nostartup, …) are accepted and ignored.

#include <optional>
#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

struct AccessCommandLine {
  Text database;       // Windows path
  Text workgroupFile;  // Windows path, empty for none
  Text user;
  Text password;
};

// Nothing when no database is named. `arguments` excludes the program name.
std::optional<AccessCommandLine> ParseAccessCommandLine(const std::vector<Text>& arguments);

// The connection text that opens the database under the command line's
// workgroup account.
Text AccessConnectionText(const AccessCommandLine& commandLine);

}  // namespace korvane::linux_edition
