#pragma once
// The one place where the launcher's Windows paths meet POSIX paths. The
// file system is presented as Wine presents it: drive Z: is the POSIX root
// and "\" the separator (Z:\home\me\demo\系统前端.mde is
// /home/me/demo/系统前端.mde). Further drive letters are mapped to folders by
// the environment variable KORVANE_DRIVES, for example "K=/tmp/x;L=/srv/y".
// POSIX paths are UTF-8 byte strings.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

inline constexpr char kDrivesVariable[] = "KORVANE_DRIVES";

struct DriveMapping {
  char16_t letter;     // upper case, 'A' to 'Y'
  std::string folder;  // absolute POSIX folder without a trailing slash, links followed
                       // when it exists
};

// The drive table: Z: for the root and the mappings of `drivesText`
// ("K=/tmp/x;L=/srv/y"; blanks around entries ignored, empty entries allowed).
// Raises korvane::Error for a malformed entry, a relative folder or a letter
// mapped twice.
class DriveMap {
 public:
  explicit DriveMap(std::string_view drivesText = {});
  // The table of KORVANE_DRIVES as it stands now.
  static DriveMap FromEnvironment();

  // "K:\a\b" → "/tmp/x/a/b". Both "\" and "/" separate, drive letters in
  // either case, repeated separators collapse, "." and ".." are resolved
  // without leaving the drive (as Windows does). Raises for a relative or
  // drive-relative path ("a\b", "\a", "K:a"), a UNC path, an unmapped drive
  // or an embedded NUL.
  std::string ToPosix(TextView windowsPath) const;

  // "/tmp/x/a/b" → "K:\a\b"; the mapped folder itself gives "K:\" and the
  // POSIX root "Z:\"; the longest mapped folder wins. Raises for a relative
  // path, an embedded NUL, a name holding "\" or bytes that are not UTF-8.
  Text ToWindows(std::string_view posixPath) const;

 private:
  std::vector<DriveMapping> mappings_;
};

// A name in a folder as the Windows file system finds it, without regard
// to ASCII case: `posixPath` itself when it exists; otherwise the one entry
// of its folder whose name differs from its last component only in the case
// of ASCII letters ("DATA.MDB" for "data.mdb"); otherwise, with no such
// entry or several, `posixPath` unchanged. Folders are taken as spelt.
std::string WithStoredName(const std::string& posixPath);

// The same conversions under the current KORVANE_DRIVES; the POSIX path
// names a file as WithStoredName finds it, so that a file's name reaches it
// in any case, as on Windows.
std::string ToPosixPath(TextView windowsPath);
Text ToWindowsPath(std::string_view posixPath);

}  // namespace korvane::linux_edition
