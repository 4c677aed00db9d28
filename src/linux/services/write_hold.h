#pragma once
// Holding a database file against writers, as the launcher does around the
// backup's copy and the compacted copy's swap. Two kinds of program write a
// back-end here, and each is kept out by the locks it knows:
//  - programs that open it the engine's way (the Access stand-in, the
//    engine's open databases) hold a shared flock() (file_lock.h): the
//    hold's exclusive flock() is refused while one of them has the file
//    open, and keeps them out while it lasts;
//  - SQLite writers know only SQLite's own fcntl() byte locks: the hold
//    takes a reader's locks and the byte of write transactions besides, so
//    that no writer is in a transaction when it begins and none can begin
//    or commit one while it lasts.
// The launcher's own copy and replacement of the held file pass the hold
// (own_holds.h).

#include <memory>
#include <string>

#include "platform/host_services.h"

namespace korvane::linux_edition {

// Holds the file until the returned object is destroyed. Waits a moment for
// a SQLite writer's transaction to end; raises korvane::Error (`source`
// naming the operation) when the file is missing or not a file, is open
// elsewhere, a writer's transaction goes on, or the file is a SQLite
// database in write-ahead-log mode, whose commits go to a file beside it
// that these locks do not reach.
std::unique_ptr<FileHold> HoldAgainstWriters(const std::string& posixPath, const char16_t* source);

}  // namespace korvane::linux_edition
