// The open-file dialog's conversions and its current-directory rule, without
// showing the dialog.

#include <gtest/gtest.h>

#include "platform/error.h"
#include "temp_folder.h"
#include "windows/open_file_dialog.h"
#include "windows/wide_text.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

namespace korvane::windows::test {
namespace {

using namespace std::string_literals;

TEST(OpenFileDialogTest, ChosenTextKeepsTheSeparatorsOfASelectionOfSeveral) {
  struct Case {
    std::wstring buffer;
    std::u16string chosen;
  };
  const Case cases[] = {
      {L"D:\\档案\\arch.mdb\0\0garbage"s, u"D:\\档案\\arch.mdb"},
      {L"D:\\档案\0a.mdb\0b.mdb\0\0garbage"s, u"D:\\档案\0a.mdb\0b.mdb"s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChosenText(c.buffer.data(), c.buffer.size()), c.chosen);
  }
}

TEST(OpenFileDialogTest, ChosenFolderOfOneFileOrOfSeveral) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"D:\\档案\\arch.mdb", u"D:\\档案"},
      {u"E:\\arch.mdb", u"E:\\"},
      {u"D:\\档案\0a.mdb\0b.mdb"s, u"D:\\档案"},
  };
  for (const auto& [chosen, folder] : cases) EXPECT_EQ(ChosenFolder(chosen), folder);
}

// After acceptance the current directory is the chosen file's folder, also
// when the user typed a full path and the dialog never went there; a folder
// that cannot be entered raises and leaves the current directory alone.
TEST(OpenFileDialogTest, AcceptanceEntersTheChosenFolder) {
  TempFolder folder;
  const Text archive = folder.Folder(u"档案");
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  Win32HostServices host;
  const Text chosen[] = {archive + u"\\arch.mdb", archive + u'\0' + u"a.mdb" + u'\0' + u"b.mdb"};
  for (const Text& choice : chosen) {
    SetCurrentDirectoryW(AsWide(folder.Path()));
    EnterChosenFolder(choice);
    EXPECT_EQ(host.CurrentDirectory(), archive);
  }
  SetCurrentDirectoryW(AsWide(folder.Path()));
  EXPECT_THROW(EnterChosenFolder(folder / u"无此文件夹\\arch.mdb"), Error);
  EXPECT_EQ(host.CurrentDirectory(), folder.Path());
  SetCurrentDirectoryW(saved);
}

}  // namespace
}  // namespace korvane::windows::test
