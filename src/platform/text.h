#pragma once
// The launcher's one text type: UTF-16, as the Windows platform and its
// database engine speak it. A length is a count of UTF-16 characters.

#include <string>
#include <string_view>

namespace korvane {

using Text = std::u16string;
using TextView = std::u16string_view;

// Conversions at the edges of the core (UTF-8 files, POSIX paths, test output).
// Ill-formed input is replaced character by character with U+FFFD, never dropped.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

// True when `text` begins with `prefix`, comparing ASCII letters without case,
// as the Windows file system compares the folder part of a path.
bool StartsWithIgnoringAsciiCase(TextView text, TextView prefix);

}  // namespace korvane
