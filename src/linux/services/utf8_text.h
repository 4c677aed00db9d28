#pragma once
// The launcher's UTF-16 text and the UTF-8 that POSIX paths, SQLite and the
// terminal speak, converted by glibc's iconv.

#include <string>
#include <string_view>

#include "platform/text.h"

namespace korvane::linux_edition {

// Ill-formed input is replaced with U+FFFD byte by byte (a lone surrogate
// character by character), never dropped, so that no two different names
// turn into the same text by losing characters.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

}  // namespace korvane::linux_edition
