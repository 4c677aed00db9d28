// The main window as the user meets it: caption, size, menu bar, and the two
// ways of closing it.

#include <vector>

#include "files.h"
#include "menu_reader.h"
#include "scenario.h"

namespace e2e {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    installation_.emplace(ScenarioFolder());
    installation_->WithAllComponents();
    launcher_ = StartShown(*installation_);
    ASSERT_TRUE(launcher_);
  }
  std::optional<Installation> installation_;
  std::optional<ShownLauncher> launcher_;
};

TEST_F(MainWindow, HasItsCaptionAndClientSize) {
  EXPECT_EQ(Narrow(WindowText(launcher_->window)), "TessalyKorvane");
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RECT client{};
  GetClientRect(launcher_->window, &client);
  EXPECT_EQ(client.right - client.left, MulDiv(592, dpi, 96));
  EXPECT_EQ(client.bottom - client.top, MulDiv(407, dpi, 96));
  EXPECT_TRUE(ClosesOnCommand(launcher_->process, launcher_->window));
}

TEST_F(MainWindow, MenuBarHoldsTheSixCommandsInOrder) {
  using korvane::windows::kIdBackUp, korvane::windows::kIdClose, korvane::windows::kIdCompact,
      korvane::windows::kIdHelp, korvane::windows::kIdQuery, korvane::windows::kIdRun;
  const std::vector<MenuEntry> expected = {
      {kIdRun, false, L"数据操作前端"},    {kIdCompact, false, L"压缩后端数据"},
      {kIdBackUp, false, L"备份后端数据"}, {kIdQuery, false, L"调阅档案数据"},
      {kIdHelp, false, L"帮助"},           {kIdClose, false, L"关闭窗口"},
  };
  std::vector<MenuEntry> bar = ReadMenuBar(launcher_->window);
  ASSERT_EQ(bar.size(), expected.size()) << "menu entries read: " << bar.size();
  for (size_t i = 0; i < bar.size(); ++i) {
    EXPECT_EQ(bar[i], expected[i]) << "entry " << i + 1 << ": id " << bar[i].commandId
                                   << ", caption \"" << Narrow(bar[i].caption) << "\"";
  }
  EXPECT_TRUE(ClosesOnCommand(launcher_->process, launcher_->window));
}

TEST_F(MainWindow, CloseBoxEndsTheLauncher) {
  PostMessageW(launcher_->window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(launcher_->process.WaitForExit(kStepTimeoutMs));
}

TEST_F(MainWindow, CloseCommandEndsTheLauncherAndLeavesTheFiles) {
  EXPECT_TRUE(ClosesOnCommand(launcher_->process, launcher_->window));
  for (const wchar_t* name : {kQueryFrontEnd, kMainFrontEnd, kWorkgroupFile})
    EXPECT_EQ(ReadBytes(installation_->PathOf(name)), ContentsOf(name));
}

}  // namespace
}  // namespace e2e
