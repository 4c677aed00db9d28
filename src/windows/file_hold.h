#pragma once
// Files that other users share, on Win32: a file's stamp, and the launcher's
// hold on a file while no one else may write it.

#include <memory>

#include "platform/host_services.h"

namespace korvane::windows {

// The stamp of the file `path` names. It is read through an open for its
// attributes alone, which no other program's sharing can refuse, so it is
// taken even while other users' Access has the file open.
FileStamp StampOfFile(const Text& path);

// Opens the file for reading and shares it with readers and with its own
// renaming, but not with writers: the open fails (ERROR_SHARING_VIOLATION)
// while another program has the file open for writing, and while it lasts no
// one can open it for writing. A copy of the file still reads it, and
// ReplaceFileW, which opens the file it replaces for reading and deleting
// and shares it with everyone, still puts another file in its place.
//
// A file system may record a writer's last write only once the writer closes
// the file; taken only while no writer has the file open, the hold's stamp
// tells every write.
std::unique_ptr<FileHold> HoldFileAgainstWriters(const Text& path);

}  // namespace korvane::windows
