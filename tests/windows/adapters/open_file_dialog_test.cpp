// The open-file dialog's conversions of what the user chose, without showing
// the dialog.

#include <gtest/gtest.h>

#include <string>

#include "windows/open_file_dialog.h"

namespace korvane::windows::test {
namespace {

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
