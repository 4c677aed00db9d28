#pragma once
// A program started by a scenario. The process is killed when the object goes
// away while it still runs, so a failed scenario leaves nothing behind.

#include <windows.h>

#include <string>

namespace e2e {

class Process {
 public:
  // Starts `exe` with its full path as the application name; the command line
  // is the quoted path followed by `arguments`. The working folder is the
  // program's own folder.
  static Process Start(const std::wstring& exe, const std::wstring& arguments = L"");

  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  ~Process();

  DWORD id() const { return id_; }

  bool HasExited() const;
  // True when the process ended within the time.
  bool WaitForExit(DWORD timeoutMs) const;
  void Kill();

 private:
  void Release();
  Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Ends every process whose executable has this file name (e.g. helpers that
// a COM activation started outside the scenario's control).
void KillProcessesNamed(const std::wstring& exeName);

}  // namespace e2e
