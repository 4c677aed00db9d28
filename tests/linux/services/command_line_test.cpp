// Command lines split by the Windows rules, and the Access stand-in's
// reading of the arguments it is given.

#include <gtest/gtest.h>

#include "linux/access/access_command_line.h"
#include "linux/services/windows_command_line.h"

namespace korvane::linux_edition {
namespace {

struct SplitCase {
  const char16_t* line;
  std::vector<Text> arguments;
};

class WindowsCommandLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(WindowsCommandLine, Splits) {
  EXPECT_EQ(SplitWindowsCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsCommandLine,
    ::testing::Values(SplitCase{u"", {}}, SplitCase{u"a.exe  b\tc ", {u"a.exe", u"b", u"c"}},
                      // The program name ends at its closing quote; its backslashes are plain.
                      SplitCase{u"\"C:\\Program Files\\a.exe\" x",
                                {u"C:\\Program Files\\a.exe", u"x"}},
                      SplitCase{u"a /pwd\"pelmo\" \"\"", {u"a", u"/pwdpelmo", u""}},
                      SplitCase{u"a \\\\\"b c\"", {u"a", u"\\b c"}},  // \\" → \ and a quote
                      SplitCase{u"a \\\\\\\"b", {u"a", u"\\\"b"}},    // \\\" → \"
                      SplitCase{u"a \"x\"\"y\" \"open", {u"a", u"x\"y", u"open"}}));

TEST(AccessCommandLine, SwitchesJoinedOrApartInAnyCase) {
  auto arguments = SplitWindowsCommandLine(
      u"x /WRKGRP:Z:\\s.mdw /excl Z:\\a.mde Z:\\b.mde /User x /pwd \"p w\"");
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
