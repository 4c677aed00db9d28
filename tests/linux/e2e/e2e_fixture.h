#pragma once
// What every end-to-end scenario shares: a fresh demo folder, the Access
// stand-ins it started ended afterwards, and log comparison with "*"
// standing for any text (for the system's own wording of an error).

#include <fnmatch.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_folder.h"
#include "launcher_process.h"
#include "linux/services/utf8_text.h"

namespace korvane::e2e {

using linux_edition::ToUtf8;

class LauncherTest : public ::testing::Test {
 protected:
  void TearDown() override { StopHosts(demo); }

  DemoFolder demo;
};

inline ::testing::AssertionResult LogMatches(const std::vector<std::string>& log,
                                             const std::vector<std::string>& expected) {
  bool same = log.size() == expected.size();
  for (std::size_t i = 0; same && i < log.size(); ++i) {
    same = fnmatch(expected[i].c_str(), log[i].c_str(), 0) == 0;
  }
  if (same) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "log:";
  for (const std::string& line : log) failure << "\n  " << line;
  failure << "\nexpected:";
  for (const std::string& line : expected) failure << "\n  " << line;
  return failure;
}

// The Access stand-in's arguments for a front-end beside the launcher, as
// the host's command line splits into them.
inline std::vector<std::string> HostArguments(const DemoFolder& demo, const std::string& frontEnd) {
  return {ToUtf8(WindowsPath(demo.InProgram(frontEnd))),
          "/wrkgrp:",
          ToUtf8(WindowsPath(demo.InProgram("Secured.mdw"))),
          "/user",
          "qorvu",
          "/pwdpelmo"};
}

}  // namespace korvane::e2e
