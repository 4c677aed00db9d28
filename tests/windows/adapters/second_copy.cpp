#include "second_copy.h"

#include <gtest/gtest.h>

#include <vector>

#include "windows/unique_handle.h"
#include "windows/wide_text.h"

namespace korvane::windows::test {

DWORD RunSecondCopy(const Text& program, const Text& arguments, const Text& currentDirectory) {
  constexpr DWORD kFailed = 2;
  const Text line = u"\"" + program + u"\" " + arguments;
  std::vector<wchar_t> writable(line.begin(), line.end());
  writable.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(AsWide(program), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      currentDirectory.empty() ? nullptr : AsWide(currentDirectory), &startup,
                      &process)) {
    ADD_FAILURE() << "the second copy could not be started";
    return kFailed;
  }
  const UniqueHandle thread(process.hThread);
  const UniqueHandle started(process.hProcess);
  DWORD exitCode = kFailed;
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exitCode)) {
    ADD_FAILURE() << "the second copy did not end";
  }
  return exitCode;
}

}  // namespace korvane::windows::test
