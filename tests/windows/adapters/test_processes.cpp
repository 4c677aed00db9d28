#include "test_processes.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "windows/wide_text.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

#include <shellapi.h>

namespace korvane::windows::test {
namespace {

int ReportSecondCopy() {
  Win32HostServices host;
  return host.IsPreviousInstanceRunning() ? 1 : 0;
}

// The report file is the wide argument after the role: the narrow argv
// cannot hold every character of a path.
int ReportStart() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 3) return 2;
  const std::wstring file = arguments[2];
  LocalFree(arguments);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const std::wstring report = std::to_wstring(startup.dwFlags & STARTF_USESHOWWINDOW) + L" " +
                              std::to_wstring(startup.wShowWindow) + L"\n" + GetCommandLineW();
  // Written aside and renamed, so the test never reads half a report.
  const std::wstring partial = file + L".partial";
  HANDLE out = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  WriteFile(out, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(out);
  return MoveFileW(partial.c_str(), file.c_str()) ? 0 : 2;
}

}  // namespace

int RunChildRole(int argc, char** argv) {
  const std::string role = argv[1];
  if (role == kSecondCopyRole) return ReportSecondCopy();
  if (role == kStartedProgramRole && argc >= 3) return ReportStart();
  return 3;
}

unsigned long RunAndWait(const Text& program, const Text& arguments) {
  Text line = u"\"" + program + u"\" " + arguments;
  std::vector<wchar_t> writable(line.begin(), line.end());
  writable.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(AsWide(program), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    throw std::runtime_error("the second process could not be started");
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

Text TestProgramPath() {
  return ExecutablePath();
}

}  // namespace korvane::windows::test
