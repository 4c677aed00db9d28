// The 查询 command: the old query back-end goes, the chosen archive is
// copied into its place, and the query front-end is started on it.

#include <gtest/gtest.h>

#include <array>

#include "fakes/world.h"
#include "launch/archive_query.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

constexpr char16_t kArchive[] = u"D:\\档案\\arch.mdb";

struct ArchiveRow {
  const char* name;
  std::optional<DialogChoice> choice;
  std::optional<std::string> queryBackEnd;  // its content afterwards
  bool started;                             // and the program ended
};

class ArchiveQuery : public ::testing::TestWithParam<ArchiveRow> {};

TEST_P(ArchiveQuery, CopiesTheChosenFileOrLeavesTheWindowOpen) {
  const ArchiveRow& row = GetParam();
  World w;
  w.host.PutFile(kQueryBackEndPath, "old query back-end");
  w.host.PutFile(kArchive, "archive");
  w.dialog.choice = row.choice;

  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(MenuCommand::查询); }),
            row.started ? Outcome::kProgramEnded : Outcome::kReturned);

  EXPECT_EQ(w.host.Content(kQueryBackEndPath), row.queryBackEnd);
  const auto starts = w.log.CallsOf("StartProcess");
  ASSERT_EQ(starts.size(), row.started ? 1u : 0u);
  for (const Call& start : starts)
    EXPECT_NE(start.arguments[1].find(kQueryFrontEndPath), Text::npos);
  EXPECT_EQ(w.host.Content(kArchive), "archive");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveQuery,
    ::testing::Values(ArchiveRow{"ChosenOutsideCurrentDirectory",
                                 DialogChoice{kArchive, u"C:\\Temp"}, "archive", true},
                      ArchiveRow{"TypedNameOfMissingFile",
                                 DialogChoice{u"D:\\档案\\无.mdb", u"D:\\档案"}, std::nullopt,
                                 false}),
    RowName());

TEST_F(LauncherTest, ArchiveDialogIsSetUpBeforeItIsShownAndClearedAfter) {
  w.dialog.choice = DialogChoice{kArchive, u"D:\\档案"};
  w.Run([&] { OpenArchiveQuery(w.launcher); });
  EXPECT_EQ(w.log.CallsOf("ShowOpen").at(0).arguments,
            (std::vector<Text>{u"True", u"32767", u"1573380", u"调入后端数据库文件",
                               u"数据库后端文件|*.mdb"}));
  EXPECT_EQ(w.dialog.FileName(), u"");
}

// Splitting the dialog's chosen path into the folder and the file name the
// archive is copied from.
TEST(SplitChosenPath, SplitsAtTheCurrentDirectoryOrAtTheLastBackslash) {
  using namespace std::string_literals;
  World w;
  // The current directory, the chosen path, and the folder and name it splits into.
  for (const auto& [currentDirectory, chosenPath, folder, fileName] :
       {// The file lies in the current directory: the second backslash stays.
        std::array<Text, 4>{u"D:\\档案", u"D:\\档案\\\\arch.mdb", u"D:\\档案\\", u"\\arch.mdb"},
        // The file lies elsewhere: it is split at its own last backslash.
        {u"", u"D:\\a\\b.mdb", u"D:\\a\\", u"b.mdb"},
        {u"C:\\Temp", u"C:\\TempOld\\arch.mdb", u"C:\\TempOld\\", u"arch.mdb"},
        // No single file named: no backslash, or several files selected.
        {u"C:\\Temp", u"arch.mdb", u"", u""},
        {u"D:\\档案", u"D:\\档案\0a.mdb\0b.mdb"s, u"", u""}}) {
    w.host.currentDirectory = currentDirectory;
    const PathParts parts = SplitChosenPath(w.host, chosenPath);
    EXPECT_EQ(parts.Folder, folder) << ::testing::PrintToString(chosenPath);
    EXPECT_EQ(parts.FileName, fileName) << ::testing::PrintToString(chosenPath);
  }
}

}  // namespace
}  // namespace korvane::testing
