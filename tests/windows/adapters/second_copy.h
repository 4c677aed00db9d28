#pragma once
// The test program started again as a second process, for what only shows
// across processes or changes a process for good.

#include "platform/text.h"
#include "windows/win32.h"

namespace korvane::windows::test {

// Starts `program` (a copy of the test program) with `arguments` in
// `currentDirectory` (the caller's when empty), waits for it and returns its
// exit code; 2 when it could not be started or did not end in time.
DWORD RunSecondCopy(const Text& program, const Text& arguments,
                    const Text& currentDirectory = Text());

}  // namespace korvane::windows::test
