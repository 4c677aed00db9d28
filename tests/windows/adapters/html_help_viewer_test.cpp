// The ANSI path the help viewer is given.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "temp_folder.h"
#include "windows/html_help_viewer.h"
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

}  // namespace
}  // namespace korvane::windows::test
