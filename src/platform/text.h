#pragma once
// The launcher's one text type: UTF-16, as the Windows platform and its
// database engine speak it. A length is a count of UTF-16 characters.

#include <string>
#include <string_view>

namespace korvane {

using Text = std::u16string;
using TextView = std::u16string_view;

// True when `text` begins with `prefix`, comparing ASCII letters without case,
// as the Windows file system compares the folder part of a path.
bool StartsWithIgnoringAsciiCase(TextView text, TextView prefix);

// True when the two texts differ at most in the case of ASCII letters, as
// the Windows file system tells whether two names are one file's.
bool EqualsIgnoringAsciiCase(TextView left, TextView right);

// The letter in capitals when it is an ASCII letter; any other character as
// it is.
char16_t AsciiCapital(char16_t c);

// The text with its ASCII letters in capitals, the rest unchanged: one
// spelling for names the file system and the engine compare without case.
Text AsciiCapitals(Text text);

}  // namespace korvane
