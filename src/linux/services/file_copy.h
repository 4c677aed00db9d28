#pragma once
// Copying a file's bytes into place: written under a scratch name beside the
// destination (scratch_file.h) and renamed onto it only when complete, so
// that a failing or cancelled copy leaves the destination as it was and no
// partial file under its name.

#include <sys/stat.h>

#include <string>

#include "platform/progress.h"

namespace korvane::linux_edition {

// Copies the open file `sourceFd` (described by `sourceStatus`) to
// `destination`, replacing a file of that name, read-only or not. The copy
// keeps the source's permissions and modification time but is always
// writable by its owner: the launcher's own copies must never refuse the
// next run that replaces or deletes them. Tells `progress` the bytes copied
// after each piece; when it answers that the user cancelled, the copy stops
// and raises ECANCELED. Raises korvane::Error.
void CopyIntoPlace(int sourceFd, const struct stat& sourceStatus, const std::string& destination,
                   const char16_t* source, Progress& progress);

}  // namespace korvane::linux_edition
