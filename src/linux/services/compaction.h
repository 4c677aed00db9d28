#pragma once
// Compaction of a database file into a new one, as JRO's CompactDatabase
// does it: the source, held exclusively so that it cannot be open elsewhere,
// is written out by VACUUM INTO and the copy is given the destination's
// database password.

#include "linux/services/connection_text.h"

namespace korvane::linux_edition {

// Raises the engine's errors: a source missing, in use or under another
// password; a destination that exists already. The destination appears
// complete or not at all; the source is only read.
void Compact(const ConnectionSettings& source, const ConnectionSettings& destination);

}  // namespace korvane::linux_edition
