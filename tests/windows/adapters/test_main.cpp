// The adapter tests' program. Started with a role argument it is instead the
// second process that some tests need, and only reports what it sees.

#include <gtest/gtest.h>

#include <cstring>

#include "test_processes.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strncmp(argv[1], "--as-", 5) == 0) {
    return korvane::windows::test::RunChildRole(argc, argv);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
