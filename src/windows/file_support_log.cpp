#include "windows/file_support_log.h"

#include <shlobj.h>

#include <cstdio>
#include <string>

#include "windows/unique_handle.h"
#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows {
namespace {

constexpr char16_t kLogFolder[] = u"\\TessalyKorvane";
constexpr char16_t kLogName[] = u"\\TessalyKorvane.log";
constexpr char16_t kOldSuffix[] = u".old";

// FOLDERID_LocalAppData. libuuid holds it in one object with thousands of
// other identifiers, which would add 35 KB to the 32-bit program.
constexpr GUID kLocalAppDataFolder = {
    0xf1b32785, 0x6fba, 0x4fcf, {0x9d, 0x55, 0x7b, 0x8e, 0x7f, 0x15, 0x70, 0x91}};

// The user's local application data folder as the shell knows it, else as
// the environment names it; empty when neither does.
Text LocalAppData() {
  PWSTR known = nullptr;
  Text folder;
  if (SUCCEEDED(SHGetKnownFolderPath(kLocalAppDataFolder, 0, nullptr, &known))) {
    folder = FromWide(known);
  }
  CoTaskMemFree(known);
  if (!folder.empty()) return folder;
  wchar_t named[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", named, MAX_PATH);
  return length > 0 && length < MAX_PATH ? FromWide(std::wstring_view(named, length)) : Text();
}

// Lone surrogates become U+FFFD: a line is never lost for one character.
std::string Utf8(const Text& text) {
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, AsWide(text), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, AsWide(text), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// "2026-03-01 14:05:09".
std::string LocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{now.wYear},
                unsigned{now.wMonth}, unsigned{now.wDay}, unsigned{now.wHour},
                unsigned{now.wMinute}, unsigned{now.wSecond});
  return stamp;
}

// Opened to append only, so that every write lands at the end even while
// another copy of the launcher writes too; shared, so that either may put
// the log aside.
UniqueHandle OpenToAppend(const Text& path) {
  const HANDLE file = CreateFileW(AsWide(path), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool IsPastTheLimit(HANDLE file) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(file, &size) && static_cast<std::uint64_t>(size.QuadPart) > kSupportLogLimit;
}

}  // namespace

void FileSupportLog::Append(const Text& line) noexcept {
  try {
    if (!folder_) {
      const Text appData = LocalAppData();
      folder_ = appData.empty() ? Text() : appData + kLogFolder;
    }
    if (folder_->empty()) return;
    // Where the folder cannot be made, the log cannot be opened either.
    CreateDirectoryW(AsWide(*folder_), nullptr);
    const Text path = *folder_ + kLogName;
    UniqueHandle file = OpenToAppend(path);
    if (file && IsPastTheLimit(file.get())) {
      file.reset();
      MoveFileExW(AsWide(path), AsWide(path + kOldSuffix), MOVEFILE_REPLACE_EXISTING);
      file = OpenToAppend(path);
    }
    if (!file) return;
    // One write per line: lines of two launchers never mix.
    const std::string record = LocalTime() + '\t' + Utf8(line) + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  } catch (...) {
    // Out of memory: the line is left out.
  }
}

}  // namespace korvane::windows
