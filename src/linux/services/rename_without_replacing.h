#pragma once
// A file takes a new name only where no file has it yet: the rename the
// launcher's RenameFile promises, and the last step of every file the
// stand-ins write under a scratch name.

#include <string>

namespace korvane::linux_edition {

// Renames `from` to `to` unless `to` exists. Returns 0, or the errno value
// of the failure (EEXIST when `to` exists).
int RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace korvane::linux_edition
