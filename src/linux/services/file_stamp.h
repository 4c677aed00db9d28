#pragma once
// A file's stamp (platform/host_services.h) on Linux: device and inode for
// its identity, its size, and its modification time in nanoseconds.

#include <sys/stat.h>

#include <string>

#include "platform/host_services.h"

namespace korvane::linux_edition {

FileStamp StampOfStatus(const struct stat& status);

// The stamp of the file at `posixPath`, taken so that any later write gives
// the file another modification time. Raises korvane::Error when it is
// missing.
FileStamp SettledStamp(const std::string& posixPath, const char16_t* source);

}  // namespace korvane::linux_edition
