// The 查询 command: the old query back-end goes, the chosen archive is
// copied into its place, and the query front-end is started on it.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "launch/archive_query.h"

namespace korvane::testing {
namespace {

constexpr char16_t kArchive[] = u"D:\\档案\\arch.mdb";

struct ArchiveRow {
  const char* name;
  std::function<void(World&)> scene;
  std::optional<DialogChoice> choice;
  Outcome outcome;
  std::optional<std::string> queryBackEnd;  // its content afterwards
  std::size_t started;
};

class ArchiveQuery : public ::testing::TestWithParam<ArchiveRow> {};

TEST_P(ArchiveQuery, CopiesTheChosenFileOrLeavesTheWindowOpen) {
  const ArchiveRow& row = GetParam();
  World w;
  w.StandardScene();
  w.host.PutFile(kQueryBackEndPath, "old query back-end");
  w.host.PutFile(kArchive, "archive");
  w.host.PutFile(u"C:\\Temp\\arch.mdb", "unchosen file");
  w.dialog.choice = row.choice;
  if (row.scene) row.scene(w);

  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(MenuCommand::查询); }), row.outcome);

  EXPECT_EQ(w.host.Content(kQueryBackEndPath), row.queryBackEnd);
  EXPECT_EQ(w.host.started.size(), row.started);
  EXPECT_TRUE(w.host.messages.empty());
  EXPECT_EQ(w.host.Content(kArchive), "archive");
  EXPECT_FALSE(w.window.unloaded);
}

const DialogChoice kAccept{kArchive, u"D:\\档案"};

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveQuery,
    ::testing::Values(
        ArchiveRow{"Cancelled", {}, std::nullopt, Outcome::kReturned, std::nullopt, 0},
        ArchiveRow{"Accepted", {}, kAccept, Outcome::kProgramEnded, "archive", 1},
        ArchiveRow{"AcceptedInDriveRoot",
                   [](World& w) { w.host.PutFile(u"E:\\arch.mdb", "archive"); },
                   DialogChoice{u"E:\\arch.mdb", u"E:\\"}, Outcome::kProgramEnded, "archive", 1},
        ArchiveRow{"ChosenOutsideCurrentDirectory",
                   {},
                   DialogChoice{kArchive, u"C:\\Temp"},
                   Outcome::kProgramEnded,
                   "archive",
                   1},
        ArchiveRow{"LaunchStartsNothingStillEnds",
                   [](World& w) { w.log.Fail("HostProgramFolder"); }, kAccept,
                   Outcome::kProgramEnded, "archive", 0},
        ArchiveRow{"TypedNameOfMissingFile",
                   {},
                   DialogChoice{u"D:\\档案\\无.mdb", u"D:\\档案"},
                   Outcome::kReturned,
                   std::nullopt,
                   0},
        ArchiveRow{"SeveralFilesSelected",
                   {},
                   DialogChoice{std::u16string(u"D:\\档案\0arch.mdb\0b.mdb", 20), u"D:\\档案"},
                   Outcome::kReturned,
                   std::nullopt,
                   0},
        ArchiveRow{"ChosenFileLocked", [](World& w) { w.host.SetLocked(kArchive); }, kAccept,
                   Outcome::kReturned, std::nullopt, 0},
        ArchiveRow{"OldQueryBackEndLocked", [](World& w) { w.host.SetLocked(kQueryBackEndPath); },
                   kAccept, Outcome::kReturned, "old query back-end", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LauncherTest, ArchiveDialogIsSetUpBeforeItIsShownAndClearedAfter) {
  w.dialog.choice = kAccept;
  w.host.PutFile(kArchive, "archive");
  w.Run([&] { OpenArchiveQuery(w.launcher); });
  const auto shown = w.log.CallsOf("ShowOpen");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].arguments,
            ScriptedDialog::Properties(true, 32767, 1573380, u"调入后端数据库文件",
                                       u"数据库后端文件|*.mdb"));
  EXPECT_EQ(w.dialog.FileName(), u"");
  const auto copies = w.log.CallsOf("CopyFile");
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].arguments, (std::vector<Text>{kArchive, kQueryBackEndPath}));
  EXPECT_EQ(w.log.Operations().back(), "EndProgram");
}

TEST_F(LauncherTest, CancelledDialogKeepsItsFileNameAndEndsAtShowOpen) {
  w.dialog.SetFileName(u"earlier");
  w.Run([&] { OpenArchiveQuery(w.launcher); });
  EXPECT_EQ(w.dialog.FileName(), u"earlier");
  EXPECT_EQ(w.log.Operations().back(), "ShowOpen");
}

}  // namespace
}  // namespace korvane::testing
