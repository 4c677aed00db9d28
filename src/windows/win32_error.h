#pragma once
// Failing Windows calls as the launcher's raised error: the system error code
// as number, the system's text for it as description, the operation's name
// as source.

#include <cstdint>

#include "platform/error.h"

namespace korvane::windows {

// The system's message text for an error code or HRESULT, without the line
// break it ends with; empty when the system has none.
Text SystemMessage(std::uint32_t code);

// An error for `code`; when the system has no text for it, the description
// names the code itself so that the user still sees something to report.
Error ErrorFromCode(std::uint32_t code, const char16_t* operation);

// An error for GetLastError() of the call that has just failed.
Error LastError(const char16_t* operation);

// "0x800401F3": how codes without a text of their own are shown.
Text HexCode(std::uint32_t code);

}  // namespace korvane::windows
