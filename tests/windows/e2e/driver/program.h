#pragma once
// A program started by a scenario. It is killed when the last copy of its
// Process goes while it still runs, so a failed scenario leaves nothing
// behind.

#include <windows.h>

#include <memory>
#include <string>

namespace e2e {

struct Process {
  // Starts `exe` in `folder` (empty: its own); the command line is the
  // quoted path followed by `arguments`.
  static Process Start(const std::wstring& exe, const std::wstring& arguments = L"",
                       std::wstring folder = L"");
  // True when the process ended within the time.
  bool WaitForExit(DWORD timeoutMs) const;
  // The exit code once ended; `otherwise` while it runs or cannot be read.
  DWORD ExitCode(DWORD otherwise) const;

  DWORD id = 0;
  std::shared_ptr<void> handle;
};

}  // namespace e2e
