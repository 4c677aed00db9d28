// The main window as the user meets it: caption, size and menu bar; closing
// it by its close box. (Closing by 关闭 ends every other scenario.)

#include <vector>

#include "menu_reader.h"
#include "scenario.h"

namespace e2e {
namespace {

TEST(MainWindow, CaptionSizeAndTheSixCommandsInOrderThenTheCloseBox) {
  Installation installation(ScenarioFolder());
  installation.WithAllComponents();
  auto launcher = StartShown(installation);
  ASSERT_TRUE(launcher);
  const HWND window = launcher->window;

  EXPECT_EQ(Narrow(WindowText(window)), "TessalyKorvane");
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, MulDiv(592, dpi, 96));
  EXPECT_EQ(client.bottom - client.top, MulDiv(407, dpi, 96));

  using korvane::windows::kIdBackUp, korvane::windows::kIdClose, korvane::windows::kIdCompact,
      korvane::windows::kIdHelp, korvane::windows::kIdQuery, korvane::windows::kIdRun;
  const std::vector<MenuEntry> expected = {
      {kIdRun, false, L"数据操作前端"},    {kIdCompact, false, L"压缩后端数据"},
      {kIdBackUp, false, L"备份后端数据"}, {kIdQuery, false, L"调阅档案数据"},
      {kIdHelp, false, L"帮助"},           {kIdClose, false, L"关闭窗口"},
  };
  const std::vector<MenuEntry> bar = ReadMenuBar(window);
  ASSERT_EQ(bar.size(), expected.size()) << "menu entries read: " << bar.size();
  for (size_t i = 0; i < bar.size(); ++i) {
    EXPECT_EQ(bar[i], expected[i]) << "entry " << i + 1 << ": id " << bar[i].commandId
                                   << ", caption \"" << Narrow(bar[i].caption) << "\"";
  }

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(launcher->process.WaitForExit(kStepTimeoutMs)) << "the close box did not end it";
}

}  // namespace
}  // namespace e2e
