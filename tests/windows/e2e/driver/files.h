#pragma once
// File handling of the scenarios, the helper programs and the adapter tests:
// fresh folders, small files with known contents, what a folder holds, files
// held open as other programs hold them, and the lines of text the helpers
// leave for the driver (UTF-8).

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {

inline std::string Utf8(const std::wstring& text) {
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr));
  return utf8;
}

inline std::wstring Wide(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                  text.data(), static_cast<int>(text.size())));
  return text;
}

// The parts of the text between separators, without an empty last one.
inline std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::wstringstream stream(text);
  std::vector<std::wstring> parts;
  for (std::wstring part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

// Removes a file or a folder with everything in it, read-only files too:
// Windows refuses to delete a read-only file, which the tests make.
inline void RemoveAll(const std::filesystem::path& path) {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(path, ignored);
}

// Empties the folder, or creates it with its parents; a drive root such as
// K:\ is only emptied.
inline void MakeEmptyFolder(const std::wstring& folder) {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
    RemoveAll(entry.path());
  std::filesystem::create_directories(folder);
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream file(std::filesystem::path(path), std::ios::binary);
  if (!(file << bytes)) throw std::runtime_error("cannot write " + Utf8(path));
}

inline std::optional<std::string> ReadBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Every file under the folders, with its contents.
using Files = std::map<std::wstring, std::string>;
inline Files Snapshot(std::initializer_list<std::wstring> folders) {
  Files files;
  std::error_code ignored;
  for (const auto& folder : folders)
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored))
      if (entry.is_regular_file())
        files[entry.path().wstring()] = ReadBytes(entry.path()).value_or("<unreadable>");
  return files;
}

// Applies changes to files: new contents, or none (empty) for a removed file.
inline void Apply(Files& files, const Files& changes) {
  for (const auto& [path, bytes] : changes) {
    if (bytes.empty()) {
      files.erase(path);
    } else {
      files[path] = bytes;
    }
  }
}

// Another program's handle on a file, closed when the last copy goes; null
// when the open failed, `error` then telling why.
struct OpenFile {
  std::shared_ptr<void> handle;
  DWORD error = 0;
};

inline OpenFile OpenExisting(const std::wstring& path, DWORD access, DWORD sharing) {
  const HANDLE file =
      CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {nullptr, GetLastError()};
  return {std::shared_ptr<void>(file, CloseHandle)};
}

// Opened as another user's Jet opens a shared database: for reading and
// writing, shared with other readers and writers but not with its renaming
// or removal.
inline OpenFile OpenAsJet(const std::wstring& path) {
  return OpenExisting(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

inline void AppendLine(const std::wstring& path, const std::wstring& line) {
  std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::app)
      << Utf8(line) << '\n';
}

inline std::vector<std::wstring> ReadLines(const std::wstring& path) {
  return Split(Wide(ReadBytes(path).value_or("")), L'\n');
}

}  // namespace e2e
