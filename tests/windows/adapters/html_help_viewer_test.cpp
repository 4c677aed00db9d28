// The ANSI path the help viewer is given.

#include <gtest/gtest.h>

#include "platform/error.h"
#include "temp_folder.h"
#include "windows/html_help_viewer.h"
#include "windows/win32.h"

namespace korvane::windows::test {
namespace {

// Whatever the ANSI code page, the path handed to the viewer opens the help
// file: directly, or by its short name when the code page lacks a character.
TEST(HtmlHelpViewerTest, AnsiPathNamesTheSameFile) {
  TempFolder folder;
  const Text help = MakeFolder(folder / u"帮助") + u"\\nuqe.chm";
  WriteTestFile(help, "ITSF");
  const std::string ansi = AnsiPath(help);
  EXPECT_NE(GetFileAttributesA(ansi.c_str()), INVALID_FILE_ATTRIBUTES) << ansi;
  EXPECT_EQ(AnsiPath(u"C:\\App\\nuqe.chm"), "C:\\App\\nuqe.chm");
  EXPECT_THROW(AnsiPath(help + u'\0' + u"x"), Error);
}

}  // namespace
}  // namespace korvane::windows::test
