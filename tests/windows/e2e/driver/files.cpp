#include "files.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace e2e {
namespace {

std::runtime_error Failure(const std::wstring& what, const std::wstring& path) {
  std::wstring text = what + L" " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
  std::string narrow(text.size() * 3 + 1, '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                              narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(n);
  return std::runtime_error(narrow);
}

void RemoveContents(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
}

}  // namespace

void RemoveTree(const std::wstring& folder) {
  RemoveContents(folder);
  RemoveDirectoryW(folder.c_str());
}

void MakeEmptyFolder(const std::wstring& folder) {
  if (folder.size() == 3) {  // a drive root stays; only its contents go
    RemoveContents(folder.substr(0, 2));
    return;
  }
  RemoveTree(folder);
  // Creates the parents too, one level at a time.
  for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
    CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
  if (!CreateDirectoryW(folder.c_str(), nullptr)) throw Failure(L"cannot create", folder);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw Failure(L"cannot write", path);
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw Failure(L"cannot write", path);
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyOrFail(const std::wstring& source, const std::wstring& destination) {
  if (!CopyFileW(source.c_str(), destination.c_str(), FALSE)) throw Failure(L"cannot copy", source);
}

std::vector<std::wstring> FileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::wstring> ReadUtf16Lines(const std::wstring& path) {
  std::vector<std::wstring> lines;
  auto bytes = ReadBytes(path);
  if (!bytes) return lines;
  std::wstring text(bytes->size() / 2, L'\0');
  std::copy_n(bytes->data(), text.size() * 2, reinterpret_cast<char*>(text.data()));
  size_t start = 0;
  for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace e2e
