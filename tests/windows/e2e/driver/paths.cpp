#include "paths.h"

#include "files.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

// The Windows path under which Wine shows a Unix path, through the prefix's
// drive mapping.
std::wstring FromUnixPath(const std::wstring& unixPath) {
  using ToDos = WCHAR* (*)(const char*);
  auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_dos_file_name")));
  int bytes = WideCharToMultiByte(CP_UTF8, 0, unixPath.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, unixPath.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
  WCHAR* dos = toDos ? toDos(utf8.c_str()) : nullptr;
  if (!dos) return unixPath;  // not under Wine: the path is used as it is
  std::wstring result(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}

std::wstring Setting(const std::wstring& key) {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring listing(exe);
  listing = listing.substr(0, listing.find_last_of(L'\\') + 1) + L"e2e-paths.txt";
  auto bytes = ReadBytes(listing);
  if (bytes) {
    int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes->data(), static_cast<int>(bytes->size()), nullptr, 0);
    std::wstring text(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes->data(), static_cast<int>(bytes->size()), text.data(),
                        size);
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
      end = text.find(L'\n', start);
      if (end == std::wstring::npos) end = text.size();
      std::wstring line = text.substr(start, end - start);
      if (line.rfind(key + L"=", 0) == 0 && line.size() > key.size() + 1) {
        std::wstring path = line.substr(key.size() + 1);
        return path.front() == L'/' ? FromUnixPath(path) : path;
      }
    }
  }
  std::fwprintf(stderr, L"e2e: no %ls in %ls\n", key.c_str(), listing.c_str());
  std::exit(2);
}

}  // namespace

std::wstring LauncherExe() {
  return Setting(L"launcher");
}
std::wstring HelperFolder() {
  return Setting(L"helpers");
}
std::wstring WorkFolder() {
  return Setting(L"work");
}
std::wstring HelpFileSample() {
  return Setting(L"chm");
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

}  // namespace e2e
