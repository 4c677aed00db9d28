#include "installation.h"

#include "files.h"
#include "paths.h"

namespace e2e {

std::string ContentsOf(const std::wstring& componentName) {
  int bytes =
      WideCharToMultiByte(CP_UTF8, 0, componentName.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string name(bytes - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, componentName.c_str(), -1, name.data(), bytes, nullptr, nullptr);
  return "stand-in contents of " + name + "\n";
}

Installation::Installation(std::wstring folder) : folder_(std::move(folder)) {
  MakeEmptyFolder(folder_);
  CopyOrFail(LauncherExe(), exe());
}

Installation& Installation::WithAllComponents() {
  return With(kQueryFrontEnd).With(kMainFrontEnd).With(kWorkgroupFile);
}

Installation& Installation::With(const std::wstring& name) {
  return With(name, ContentsOf(name));
}

Installation& Installation::With(const std::wstring& name, const std::string& bytes) {
  WriteBytes(PathOf(name), bytes);
  return *this;
}

std::wstring Installation::exe() const {
  return PathOf(kLauncherName);
}

std::wstring Installation::PathOf(const std::wstring& name) const {
  return Join(folder_, name);
}

Process Installation::Start() const {
  return Process::Start(exe());
}

}  // namespace e2e
