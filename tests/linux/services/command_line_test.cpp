// Command lines split by the Windows rules, and the Access stand-in's
// reading of the arguments the launcher gives it.

#include <gtest/gtest.h>

#include "launch/front_end_launch.h"
#include "linux/access/access_command_line.h"
#include "linux/services/connection_text.h"
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
    ::testing::Values(SplitCase{u"", {}}, SplitCase{u"a.exe", {u"a.exe"}},
                      SplitCase{u"a.exe  b\tc ", {u"a.exe", u"b", u"c"}},
                      // The program name ends at its closing quote; its backslashes are plain.
                      SplitCase{u"\"C:\\Program Files\\a.exe\" x",
                                {u"C:\\Program Files\\a.exe", u"x"}},
                      SplitCase{u"C:\\dir\\\"a.exe x", {u"C:\\dir\\\"a.exe", u"x"}},
                      SplitCase{u"a \"b c\" d", {u"a", u"b c", u"d"}},
                      SplitCase{u"a /pwd\"pelmo\"", {u"a", u"/pwdpelmo"}},
                      SplitCase{u"a \"\"", {u"a", u""}},
                      SplitCase{u"a \\\"b", {u"a", u"\"b"}},          // \"  → "
                      SplitCase{u"a \\\\\"b c\"", {u"a", u"\\b c"}},  // \\" → \ and a quote
                      SplitCase{u"a \\\\\\\"b", {u"a", u"\\\"b"}},    // \\\" → \"
                      SplitCase{u"a C:\\x\\ y", {u"a", u"C:\\x\\", u"y"}},
                      SplitCase{u"a \"x\"\"y\"", {u"a", u"x\"y"}},
                      SplitCase{u"a \"unclosed b", {u"a", u"unclosed b"}},
                      SplitCase{u"C:\\Office\\msaccess.exe \"D:\\App\\系统前端.mde\" /wrkgrp: "
                                u"\"D:\\App\\Secured.mdw\" /user \"qorvu\" /pwd\"pelmo\"",
                                {u"C:\\Office\\msaccess.exe", u"D:\\App\\系统前端.mde", u"/wrkgrp:",
                                 u"D:\\App\\Secured.mdw", u"/user", u"qorvu", u"/pwdpelmo"}}));

TEST(AccessCommandLine, ReadsTheLaunchersCommandLine) {
  const Text line =
      BuildHostCommandLine(u"Z:\\host\\", u"Z:\\app", u"系统前端.mde", u"Secured.mdw");
  auto arguments = SplitWindowsCommandLine(line);
  arguments.erase(arguments.begin());
  const auto parsed = ParseAccessCommandLine(arguments);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->database, u"Z:\\app\\系统前端.mde");
  EXPECT_EQ(parsed->workgroupFile, u"Z:\\app\\Secured.mdw");
  EXPECT_EQ(parsed->user, u"qorvu");
  EXPECT_EQ(parsed->password, u"pelmo");
}

struct AccessCase {
  std::vector<Text> arguments;
  AccessCommandLine expected;
};

class AccessSwitches : public ::testing::TestWithParam<AccessCase> {};

TEST_P(AccessSwitches, Parse) {
  const auto parsed = ParseAccessCommandLine(GetParam().arguments);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->database, GetParam().expected.database);
  EXPECT_EQ(parsed->workgroupFile, GetParam().expected.workgroupFile);
  EXPECT_EQ(parsed->user, GetParam().expected.user);
  EXPECT_EQ(parsed->password, GetParam().expected.password);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AccessSwitches,
    ::testing::Values(AccessCase{{u"Z:\\a.mde"}, {u"Z:\\a.mde", u"", u"", u""}},
                      AccessCase{
                          {u"/WRKGRP:Z:\\s.mdw", u"Z:\\a.mde", u"/User", u"x", u"/pwd", u"p w"},
                          {u"Z:\\a.mde", u"Z:\\s.mdw", u"x", u"p w"}},
                      AccessCase{{u"Z:\\a.mde", u"/excl", u"/nostartup", u"Z:\\b.mde", u"/userbob"},
                                 {u"Z:\\a.mde", u"", u"bob", u""}}));

TEST(AccessCommandLine, NoDatabaseNamed) {
  EXPECT_FALSE(ParseAccessCommandLine({u"/user", u"qorvu"}));
  EXPECT_FALSE(ParseAccessCommandLine({}));
}

TEST(AccessCommandLine, ConnectionTextKeepsAwkwardValues) {
  const AccessCommandLine line{u"Z:\\a;b.mde", u"Z:\\s.mdw", u"qorvu", u" pa\"ss; "};
  const auto settings = ParseConnectionText(AccessConnectionText(line));
  EXPECT_EQ(settings.dataSource, line.database);
  EXPECT_EQ(settings.systemDatabase, line.workgroupFile);
  EXPECT_EQ(settings.userId, line.user);
  EXPECT_EQ(settings.password, line.password);
}

}  // namespace
}  // namespace korvane::linux_edition
