// The Access stand-in's reading of the arguments it is given.

#include <gtest/gtest.h>

#include "linux/access/access_command_line.h"
#include "linux/services/windows_command_line.h"

namespace korvane::linux_edition {
namespace {

TEST(AccessCommandLine, SwitchesJoinedOrApartInAnyCase) {
  auto arguments = SplitWindowsCommandLine(
      u"x\t/WRKGRP:Z:\\s.mdw /excl Z:\\a.mde Z:\\b.mde /User x /pwd \"p w\"");
  arguments.erase(arguments.begin());
  const auto parsed = ParseAccessCommandLine(arguments);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->database, u"Z:\\a.mde");
  EXPECT_EQ(parsed->workgroupFile, u"Z:\\s.mdw");
  EXPECT_EQ(parsed->user, u"x");
  EXPECT_EQ(parsed->password, u"p w");
  EXPECT_FALSE(ParseAccessCommandLine({u"/user", u"qorvu"}));
}

}  // namespace
}  // namespace korvane::linux_edition
