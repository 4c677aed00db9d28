#include "files.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace e2e {

namespace fs = std::filesystem;

void RemoveTree(const std::wstring& folder) {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

void MakeEmptyFolder(const std::wstring& folder) {
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored))
    fs::remove_all(entry.path(), ignored);
  fs::create_directories(folder);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream file(fs::path(path), std::ios::binary);
  if (!(file << bytes)) throw std::runtime_error("cannot write " + Utf8(path));
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  std::ifstream file(fs::path(path), std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

Files Snapshot(std::initializer_list<std::wstring> folders) {
  Files files;
  std::error_code ignored;
  for (const auto& folder : folders)
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
      if (entry.is_regular_file())
        files[entry.path().wstring()] = ReadBytes(entry.path()).value_or("<unreadable>");
  return files;
}

void Apply(Files& files, const Files& changes) {
  for (const auto& [path, bytes] : changes) {
    if (bytes.empty()) {
      files.erase(path);
    } else {
      files[path] = bytes;
    }
  }
}

void AppendLine(const std::wstring& path, const std::wstring& line) {
  std::ofstream(fs::path(path), std::ios::binary | std::ios::app) << Utf8(line) << '\n';
}

std::vector<std::wstring> ReadLines(const std::wstring& path) {
  return Split(Wide(ReadBytes(path).value_or("")), L'\n');
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::wstringstream stream(text);
  std::vector<std::wstring> parts;
  for (std::wstring part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

std::string Utf8(const std::wstring& text) {
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr));
  return utf8;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                  text.data(), static_cast<int>(text.size())));
  return text;
}

}  // namespace e2e
