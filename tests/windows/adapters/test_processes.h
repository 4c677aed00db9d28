#pragma once
// Second processes for the adapter tests: a copy of the test program started
// in a role, and what it reports back.

#include <string>

#include "platform/text.h"

namespace korvane::windows::test {

// Runs the role named by argv[1] and returns the process's exit code.
int RunChildRole(int argc, char** argv);

// Role "--as-second-copy": exits with 1 when a copy of its executable is
// already running, 0 when not.
inline constexpr char kSecondCopyRole[] = "--as-second-copy";
// Role "--as-started-program <file>": writes its show-window flag, its show
// state and its command line to <file> (UTF-16).
inline constexpr char kStartedProgramRole[] = "--as-started-program";

// Starts `program` with `arguments` and waits for it; returns its exit code.
unsigned long RunAndWait(const Text& program, const Text& arguments);

// The full path of the running test program.
Text TestProgramPath();

}  // namespace korvane::windows::test
