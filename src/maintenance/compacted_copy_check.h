#pragma once
// The engine's compaction is also a repair: on a damaged database it can drop
// or cut short records and still succeed, naming what it lost in a table of
// compaction errors in the copy. This check tells whether a compacted copy
// may take the original's place.

#include "platform/text.h"

namespace korvane {

class DatabaseEngine;

// The table in which the engine's compaction names what it could not copy.
inline constexpr char16_t kCompactErrorTable[] = u"MSysCompactError";

// True when the database `copyConnection` names holds the same user tables
// as the one `originalConnection` names (names compared without regard to
// ASCII case), each with as many rows, and the same table of compaction
// errors, if any. Only tables of the file's own are counted: links,
// pass-through tables, views and the engine's other tables (names beginning
// with "MSys" or "~") are left out. Each database is read through a
// catalogue of its own, closed and released before this returns. Raises
// when either cannot be read.
bool CompactedCopyIsComplete(DatabaseEngine& engine, const Text& originalConnection,
                             const Text& copyConnection);

}  // namespace korvane
