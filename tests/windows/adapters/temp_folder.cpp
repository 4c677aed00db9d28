#include "temp_folder.h"

#include <stdexcept>

#include "files.h"
#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows::test {
TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  if (GetTempPathW(MAX_PATH, base) == 0) throw std::runtime_error("no temporary folder");
  static int serial = 0;
  path_ = FromWide(base);
  if (path_.back() == u'\\') path_.pop_back();
  path_ += u"\\科尔文测试 " + FromWide(std::to_wstring(GetCurrentProcessId())) + u"-" +
           FromWide(std::to_wstring(++serial));
  e2e::MakeEmptyFolder(AsWide(path_));
}

TempFolder::~TempFolder() {
  e2e::RemoveTree(AsWide(path_));
}

void WriteTestFile(const Text& path, const std::string& content) {
  e2e::WriteBytes(AsWide(path), content);
}

std::string ReadTestFile(const Text& path) {
  return e2e::ReadBytes(AsWide(path)).value_or("<missing>");
}

Text MakeFolder(const Text& path) {
  if (!CreateDirectoryW(AsWide(path), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error("cannot make a test folder");
  }
  return path;
}

LockedFile::LockedFile(const Text& path)
    : handle_(CreateFileW(AsWide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot lock a test file");
}

LockedFile::~LockedFile() {
  CloseHandle(handle_);
}

}  // namespace korvane::windows::test
