#pragma once
// A program started by a scenario. It is killed when the last copy of its
// Process goes while it still runs, so a failed scenario leaves nothing
// behind.

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace e2e {

struct Process {
  // Starts `exe` in `folder` (empty: its own); the command line is the
  // quoted path followed by `arguments`.
  static Process Start(const std::wstring& exe, const std::wstring& arguments = L"",
                       std::wstring folder = L"") {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    if (folder.empty()) folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
      throw std::runtime_error("CreateProcessW failed with error " +
                               std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    return {info.dwProcessId, std::shared_ptr<void>(info.hProcess, [](HANDLE process) {
              TerminateProcess(process, 99);
              WaitForSingleObject(process, 5000);
              CloseHandle(process);
            })};
  }
  // True when the process ended within the time.
  bool WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(handle.get(), timeoutMs) == WAIT_OBJECT_0;
  }

  DWORD id = 0;
  std::shared_ptr<void> handle;
};

}  // namespace e2e
