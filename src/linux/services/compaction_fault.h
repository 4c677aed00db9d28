#pragma once
// A test hook of the engine stand-in. The engine's compaction is also a
// repair: on a damaged database it can leave records out and still succeed,
// naming what it lost in a table MSysCompactError of the copy. A sound
// SQLite file never does that, so tests make the stand-in do it by setting
// KORVANE_COMPACTION_FAULT in the environment of the process that compacts:
//  - "lose-rows": the last row of every table but the engine's own is left
//    out of the copy;
//  - "error-table": the copy holds all rows and a table MSysCompactError
//    naming one record as lost.
// Unset, or with any other value, compaction writes a faithful copy.

#include <string>

#include "platform/text.h"

namespace korvane::linux_edition {

inline constexpr char kCompactionFaultVariable[] = "KORVANE_COMPACTION_FAULT";

// Damages the fresh copy at `posixPath` as the environment asks (nothing
// when it asks nothing); `shownPath` names it in errors.
void ApplyCompactionFault(const std::string& posixPath, const Text& shownPath);

}  // namespace korvane::linux_edition
