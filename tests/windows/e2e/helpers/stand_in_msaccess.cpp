// Stands in for msaccess.exe: records how it was started and ends at once.

#include <windows.h>

#include "stand_in_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  e2e::stand_in::AppendUtf16(e2e::stand_in::BesideSelf(e2e::stand_in::kStartRecord),
                             std::wstring(GetCommandLineW()) + L"\t" +
                                 std::to_wstring(startup.dwFlags) + L"\t" +
                                 std::to_wstring(startup.wShowWindow) + L"\n");
  return 0;
}
