#include "program.h"

#include <stdexcept>

namespace e2e {
namespace {

void Kill(HANDLE process) {
  TerminateProcess(process, 99);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

}  // namespace

Process Process::Start(const std::wstring& exe, const std::wstring& arguments,
                       std::wstring folder) {
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  if (folder.empty()) folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    throw std::runtime_error("CreateProcessW failed with error " + std::to_string(GetLastError()));
  CloseHandle(info.hThread);
  return {info.dwProcessId, std::shared_ptr<void>(info.hProcess, Kill)};
}

bool Process::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(handle.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode(DWORD otherwise) const {
  DWORD code = otherwise;
  return GetExitCodeProcess(handle.get(), &code) && code != STILL_ACTIVE ? code : otherwise;
}

}  // namespace e2e
