#pragma once
// A folder laid out as the launcher's installation: a copy of the launcher
// and whichever of Korvane's files a scenario wants beside it.

#include <string>

#include "process.h"

namespace e2e {

inline constexpr wchar_t kLauncherName[] = L"TessalyKorvane.exe";
inline constexpr wchar_t kQueryFrontEnd[] = L"查询系统.mde";
inline constexpr wchar_t kMainFrontEnd[] = L"系统前端.mde";
inline constexpr wchar_t kWorkgroupFile[] = L"Secured.mdw";
inline constexpr wchar_t kQueryBackEnd[] = L"查询后端.mdb";
inline constexpr wchar_t kHelpFile[] = L"nuqe.chm";

// Contents that tell the component files apart.
std::string ContentsOf(const std::wstring& componentName);

class Installation {
 public:
  // Empties (or creates) the folder and copies the launcher into it.
  explicit Installation(std::wstring folder);

  // Creates every component file: the usual installation.
  Installation& WithAllComponents();
  Installation& With(const std::wstring& name);
  Installation& With(const std::wstring& name, const std::string& bytes);

  const std::wstring& folder() const { return folder_; }
  std::wstring exe() const;
  std::wstring PathOf(const std::wstring& name) const;

  Process Start() const;

 private:
  std::wstring folder_;
};

}  // namespace e2e
