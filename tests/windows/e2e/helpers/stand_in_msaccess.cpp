// Stands in for msaccess.exe: records how it was started and ends at once.

#include <windows.h>

#include "stand_in_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  std::wstring record = std::wstring(GetCommandLineW()) + L"\n" + std::to_wstring(startup.dwFlags) +
                        L"\n" + std::to_wstring(startup.wShowWindow) + L"\n";
  e2e::stand_in::WriteUtf16Whole(e2e::stand_in::BesideSelf(e2e::stand_in::kStartRecord), record);
  return 0;
}
