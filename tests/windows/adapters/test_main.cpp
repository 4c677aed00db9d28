// The adapter tests' program. Started with "--as-second-copy" it is instead
// the second process of the previous-instance test, and only reports by its
// exit code whether a copy of its executable already runs.

#include <gtest/gtest.h>

#include <cstring>

#include "windows/win32.h"
#include "windows/win32_host_services.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--as-second-copy") == 0) {
    korvane::windows::Win32HostServices host;
    return host.IsPreviousInstanceRunning() ? 1 : 0;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
