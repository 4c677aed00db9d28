#pragma once
// A command line split into arguments by the rules of the Windows C runtime
// and CommandLineToArgvW:
//  - the program name, first, runs to the next blank or, when it begins with
//    a double quote, to the next double quote; backslashes in it are plain;
//  - after it, blanks and tabs outside quotes separate arguments;
//  - 2n backslashes before a double quote give n backslashes and the quote
//    opens or closes a quoted part; 2n+1 give n backslashes and a literal
//    quote; backslashes before anything else are plain;
//  - inside a quoted part, "" gives one literal quote and the part goes on.
// So /pwd"pelmo" is the one argument /pwdpelmo.

#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

std::vector<Text> SplitWindowsCommandLine(TextView commandLine);

}  // namespace korvane::linux_edition
