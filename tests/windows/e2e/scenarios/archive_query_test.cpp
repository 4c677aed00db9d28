// The 查询 command up to the copy of the chosen archive; what follows the
// copy (the launch of the query front-end) is covered with the launches.

#include "archive_query.h"
#include "files.h"
#include "scenario.h"

namespace e2e {
namespace {

const std::string kArchive = "archived back-end\n";
const std::string kOldQueryBackEnd = "previous query back-end\n";

class ArchiveQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    // The archive lies outside the installation, which is the launcher's
    // current folder: the chosen path is split against the archive's folder.
    MakeEmptyFolder(ScenarioFolder());
    installation_.emplace(ScenarioFolder() + L"\\App");
    installation_->WithAllComponents().With(kQueryBackEnd, kOldQueryBackEnd);
    archiveFolder_ = ScenarioFolder() + L"\\档案";
    MakeEmptyFolder(archiveFolder_);
    WriteBytes(archiveFolder_ + L"\\arch.mdb", kArchive);
    launcher_ = StartShown(*installation_);
    ASSERT_TRUE(launcher_);
    dialog_ = OpenArchiveDialog(launcher_->process.id(), launcher_->window);
    ASSERT_TRUE(dialog_) << "no open-file dialog titled 调入后端数据库文件";
  }
  DWORD id() const { return launcher_->process.id(); }

  std::optional<Installation> installation_;
  std::wstring archiveFolder_;
  std::optional<ShownLauncher> launcher_;
  HWND dialog_ = nullptr;
};

TEST_F(ArchiveQuery, CancelDeletesTheOldQueryBackEndAndKeepsTheWindow) {
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), launcher_->window);
  // The file type box (cmb1) shows the one filter's description.
  wchar_t filter[256] = L"";
  SendMessageTimeoutW(GetDlgItem(dialog_, 0x470), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(filter),
                      SMTO_ABORTIFHUNG, kStepTimeoutMs, nullptr);
  EXPECT_EQ(Narrow(filter), "数据库后端文件");
  PressButton(dialog_, IDCANCEL);
  EXPECT_TRUE(NoMessageFor(id()));
  EXPECT_FALSE(Exists(installation_->PathOf(kQueryBackEnd)));
  EXPECT_TRUE(ClosesOnCommand(launcher_->process, launcher_->window));
}

TEST_F(ArchiveQuery, ChosenArchiveIsCopiedThenTheLinkIsProbed) {
  ChooseArchive(dialog_, archiveFolder_ + L"\\arch.mdb");
  HWND question = nullptr;
  ASSERT_TRUE(
      QuestionShown(id(), L"系统后端数据联接失败", L"是否进行数据后端初始化工作", &question));
  EXPECT_EQ(ReadBytes(installation_->PathOf(kQueryBackEnd)), kArchive);
  PressButton(question, IDNO);
  EXPECT_TRUE(launcher_->process.WaitForExit(kStepTimeoutMs));
  EXPECT_EQ(ReadBytes(installation_->PathOf(kQueryBackEnd)), kArchive);
}

TEST_F(ArchiveQuery, TypedNameOfAMissingFileCopiesNothing) {
  ChooseArchive(dialog_, archiveFolder_ + L"\\none.mdb");
  EXPECT_TRUE(NoMessageFor(id()));
  EXPECT_FALSE(Exists(installation_->PathOf(kQueryBackEnd)));
  EXPECT_TRUE(ClosesOnCommand(launcher_->process, launcher_->window));
}

}  // namespace
}  // namespace e2e
