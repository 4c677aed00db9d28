// Stands in for msaccess.exe: records how it was started and ends at once.

#include <windows.h>

#include "stand_in_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  std::wstring record = std::wstring(GetCommandLineW()) + L"\n" + std::to_wstring(startup.dwFlags) +
                        L"\n" + std::to_wstring(startup.wShowWindow) + L"\n";
  std::wstring path = e2e::stand_in::BesideSelf(e2e::stand_in::kStartRecord);
  std::wstring partial = path + L".part";
  DeleteFileW(partial.c_str());
  e2e::stand_in::AppendUtf16(partial, record);
  MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  return 0;
}
