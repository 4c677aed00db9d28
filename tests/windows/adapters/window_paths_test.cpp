// The paths the launcher hands to Windows' own windows and takes back from
// them: the ANSI path the help viewer is given, and the open-file dialog's
// choice, converted without showing the dialog.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "temp_folder.h"
#include "windows/html_help_viewer.h"
#include "windows/open_file_dialog.h"
#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows::test {
namespace {

// Whatever the ANSI code page, the path handed to the viewer opens the help
// file: directly, or by its short name when the code page lacks a character.
TEST(HtmlHelpViewerTest, AnsiPathNamesTheSameFile) {
  TempFolder folder;
  const Text help = folder / u"nuqe.chm";
  WriteTestFile(help, "ITSF");
  const std::string ansi = AnsiPath(help);
  EXPECT_NE(GetFileAttributesA(ansi.c_str()), INVALID_FILE_ATTRIBUTES) << ansi;
}

// Windows refuses WC_NO_BEST_FIT_CHARS and the lossy-conversion report for
// UTF-8 with ERROR_INVALID_FLAGS and ERROR_INVALID_PARAMETER; Wine accepts
// them. The conversions here go through a stand-in that refuses as Windows
// does.
int ConvertingAsWindows(UINT codePage, DWORD flags, LPCWCH text, int length, LPSTR converted,
                        int size, LPCCH defaultChar, LPBOOL usedDefault) {
  if (codePage == CP_UTF8 && (flags & ~WC_ERR_INVALID_CHARS) != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (codePage == CP_UTF8 && (defaultChar || usedDefault)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return WideCharToMultiByte(codePage, flags, text, length, converted, size, defaultChar,
                             usedDefault);
}

// A character without an exact equivalent makes the conversion fail rather
// than turn into a look-alike that names another file.
TEST(HtmlHelpViewerTest, InCodePageIsExactOrNothing) {
  struct Case {
    const char16_t* text;
    UINT codePage;
    std::optional<std::string> converted;
  };
  // clang-format off
  const Case cases[] = {
      {u"ā", 1252, std::nullopt},  // best fit would give "a"
      {u"帮助", 1252, std::nullopt},
      {u"帮助", CP_UTF8, "\xE5\xB8\xAE\xE5\x8A\xA9"},
      {u"a\xD800z", CP_UTF8, std::nullopt},  // a lone surrogate
  };
  // clang-format on
  for (const Case& row : cases) {
    EXPECT_EQ(InCodePage(row.text, row.codePage, ConvertingAsWindows), row.converted)
        << ::testing::PrintToString(row.text) << " in " << row.codePage;
  }
}

using namespace std::string_literals;

TEST(OpenFileDialogTest, ChosenTextKeepsTheSeparatorsOfASelectionOfSeveral) {
  const std::wstring buffer = L"D:\\档案\0a.mdb\0b.mdb\0\0garbage"s;
  EXPECT_EQ(ChosenText(buffer.data(), buffer.size()), u"D:\\档案\0a.mdb\0b.mdb"s);
}

TEST(OpenFileDialogTest, ChosenFolderKeepsTheBackslashOfADriveRoot) {
  EXPECT_EQ(ChosenFolder(u"D:\\档案\\arch.mdb"), u"D:\\档案");
  EXPECT_EQ(ChosenFolder(u"E:\\arch.mdb"), u"E:\\");
}

}  // namespace
}  // namespace korvane::windows::test
