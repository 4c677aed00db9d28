#pragma once
// The adapter tests' files and processes, through the end-to-end driver's
// helpers: a fresh folder with a Chinese name under the system's temporary
// folder, so that every path goes through the wide functions, removed with
// its files afterwards; files in it; a second copy of the test program.

#include <filesystem>
#include <string>

#include "files.h"
#include "platform/text.h"
#include "program.h"
#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows::test {

struct TempFolder {
  TempFolder() { e2e::MakeEmptyFolder(AsWide(path)); }
  ~TempFolder() { e2e::RemoveAll(AsWide(path)); }
  // The path of `name` inside the folder.
  Text operator/(const Text& name) const { return path + u"\\" + name; }

  Text path = [] {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    return FromWide(base) + u"科尔文测试 " + FromWide(std::to_wstring(GetCurrentProcessId())) +
           u"-" + FromWide(std::to_wstring(++serial));
  }();
};

inline void WriteTestFile(const Text& path, const std::string& content) {
  e2e::WriteBytes(AsWide(path), content);
}
// The whole file, or "<missing>" when it cannot be read.
inline std::string ReadTestFile(const Text& path) {
  return e2e::ReadBytes(AsWide(path)).value_or("<missing>");
}

// Runs `program` (a copy of the test program) with `arguments` in
// `currentDirectory` (its own folder when empty) and answers its exit code;
// 2 when it did not end in time.
inline DWORD RunSecondCopy(const Text& program, const Text& arguments,
                           const Text& currentDirectory = Text()) {
  const auto second = e2e::Process::Start(AsWide(program), AsWide(arguments),
                                          std::wstring(AsWide(currentDirectory)));
  DWORD code = 2;
  return second.WaitForExit(60000) && GetExitCodeProcess(second.handle.get(), &code) ? code : 2;
}

}  // namespace korvane::windows::test
