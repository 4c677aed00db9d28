#pragma once
// The error of a failing system call, in the launcher's form: errno as the
// number, the system's text with the file concerned as the description, the
// operation as the source.

#include <string>

#include "platform/error.h"

namespace korvane::linux_edition {

[[noreturn]] void ThrowSystemError(int errorNumber, const std::string& posixPath,
                                   const char16_t* source);

}  // namespace korvane::linux_edition
