// The adapter tests' program. Started with "--as-second-copy" it is instead
// the second process of the previous-instance test, and only reports by its
// exit code whether a copy of its executable already runs. Started with
// "--load-library NAME [--restricted[-without-the-update]]" it reports
// whether NAME loads, after restricting the DLL search when asked to.

#include <gtest/gtest.h>

#include <cstring>

#include "windows/dll_search.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--as-second-copy") == 0) {
    korvane::windows::Win32HostServices host;
    return host.IsPreviousInstanceRunning() ? 1 : 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--load-library") == 0) {
    if (argc >= 4 && std::strcmp(argv[3], "--restricted") == 0) {
      korvane::windows::RestrictDllSearch();
    }
    if (argc >= 4 && std::strcmp(argv[3], "--restricted-without-the-update") == 0) {
      korvane::windows::RestrictDllSearch(true);
    }
    return LoadLibraryA(argv[2]) ? 1 : 0;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
