// The help viewer's component loading and the ANSI path it is given.

#include <gtest/gtest.h>

#include "platform/error.h"
#include "temp_folder.h"
#include "windows/html_help_viewer.h"
#include "windows/win32.h"

namespace korvane::windows::test {
namespace {

TEST(HtmlHelpViewerTest, AComponentThatCannotBeLoadedRaisesTheSystemError) {
  HtmlHelpViewer viewer(L"korvane-missing-help.ocx");
  try {
    viewer.HtmlHelpA(0, u"C:\\nuqe.chm", 0, 0);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), ERROR_MOD_NOT_FOUND);
    EXPECT_FALSE(error.Description().empty());
    EXPECT_FALSE(error.Source().empty());
  }
}

// The system's component loads from the system folder; a file it cannot
// open is no error, it just opens no viewer.
TEST(HtmlHelpViewerTest, TheSystemComponentLoadsAndAMissingFileOpensNothing) {
  HtmlHelpViewer viewer;
  EXPECT_EQ(viewer.HtmlHelpA(0, u"C:\\no-such-help\\nuqe.chm", 0, 0), 0u);
}

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
