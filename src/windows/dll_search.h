#pragma once
// Where the process looks for DLLs named without a path. The launcher's own
// folder is written by the launcher itself and often shared, and the file
// dialog moves the current directory to wherever the user browsed: neither
// may supply a DLL to the components loaded here (the shell's dialog parts,
// the picture decoder, ADO, JRO and Jet, the help viewer).

#include "windows/win32.h"

namespace korvane::windows {

// Restricts the search to the system folder where the system can (Windows 8,
// or Windows 7 with update KB2533623); elsewhere, or when a test asks for
// what happens there, it takes the current directory out of it. COM still
// finds an in-process server's own DLLs: it loads the server by the full
// path registered for it with the altered search path, which looks for the
// server's dependencies in its folder first.
void RestrictDllSearch(bool asWithoutTheUpdate = false);

// Loads the system folder's `name` by its full path, with its dependencies
// looked for in that folder first, on every version of Windows. Answers
// null, with the last error set, when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace korvane::windows
