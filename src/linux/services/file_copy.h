#pragma once
// Copying a file's bytes into place: written under a hidden name beside the
// destination and renamed onto it only when complete, so that a failing copy
// leaves the destination as it was and no partial file under its name.

#include <sys/stat.h>

#include <string>

namespace korvane::linux_edition {

// A mkstemp() pattern for a hidden scratch file beside `path`:
// "<folder>/.<name>.<purpose>-XXXXXX".
std::string ScratchPatternBeside(const std::string& path, const char* purpose);

// Copies the open file `sourceFd` (described by `sourceStatus`) to
// `destination`, replacing a file of that name, keeping the source's
// permissions and modification time. Raises korvane::Error.
void CopyIntoPlace(int sourceFd, const struct stat& sourceStatus, const std::string& destination,
                   const char16_t* source);

}  // namespace korvane::linux_edition
