#include "process.h"

#include <tlhelp32.h>

#include <stdexcept>
#include <utility>

namespace e2e {
Process Process::Start(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  if (folder.size() == 2) folder += L'\\';  // a drive root keeps its backslash

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    throw std::runtime_error("CreateProcessW failed with error " + std::to_string(GetLastError()));
  CloseHandle(info.hThread);
  return Process(info.hProcess, info.dwProcessId);
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(other.id_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = other.id_;
  }
  return *this;
}

Process::~Process() {
  Release();
}

void Process::Release() {
  if (!handle_) return;
  if (!HasExited()) Kill();
  CloseHandle(handle_);
  handle_ = nullptr;
}

bool Process::HasExited() const {
  return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
}

bool Process::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0;
}

void Process::Kill() {
  TerminateProcess(handle_, 99);
  WaitForSingleObject(handle_, 5000);
}

void KillProcessesNamed(const std::wstring& exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, exeName.c_str()) != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 99);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

}  // namespace e2e
