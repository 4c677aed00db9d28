#include "temp_folder.h"

#include <stdexcept>
#include <vector>

#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows::test {
namespace {

void RemoveTree(const Text& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(AsWide(folder + u"\\*"), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const Text name = FromWide(found.cFileName);
      if (name == u"." || name == u"..") continue;
      const Text path = folder + u"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(AsWide(path), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(AsWide(path));
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(AsWide(folder));
}

}  // namespace

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, base);
  if (length == 0) throw std::runtime_error("no temporary folder");
  static int serial = 0;
  path_ = FromWide(base);
  if (path_.back() == u'\\') path_.pop_back();
  path_ += u"\\科尔文测试 " + FromWide(std::to_wstring(GetCurrentProcessId())) + u"-" +
           FromWide(std::to_wstring(++serial));
  RemoveTree(path_);
  MakeFolder(path_);
}

TempFolder::~TempFolder() {
  RemoveTree(path_);
}

void WriteTestFile(const Text& path, const std::string& content) {
  HANDLE file = CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test file");
  DWORD written = 0;
  ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadTestFile(const Text& path) {
  HANDLE file = CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::vector<char> buffer(1 << 16);
  DWORD read = 0;
  ::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr);
  CloseHandle(file);
  return std::string(buffer.data(), read);
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
