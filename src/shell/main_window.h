#pragma once
// The launcher's only window as the platform sees it: fixed properties, the
// six menu commands, and what its events run. Each edition draws it and
// forwards its events here.

#include <array>

#include "platform/message_titles.h"
#include "platform/text.h"

namespace korvane {

struct Launcher;

enum class MenuCommand { 运行, 压缩, 备份, 查询, 帮助, 关闭 };

struct MenuEntry {
  MenuCommand command;
  const char16_t* caption;
};

// The menu bar, in order: top-level entries without sub-menus, access keys,
// shortcuts or check marks.
inline constexpr std::array<MenuEntry, 6> kMenuBar{{
    {MenuCommand::运行, u"数据操作前端"},
    {MenuCommand::压缩, u"压缩后端数据"},
    {MenuCommand::备份, u"备份后端数据"},
    {MenuCommand::查询, u"调阅档案数据"},
    {MenuCommand::帮助, u"帮助"},
    {MenuCommand::关闭, u"关闭窗口"},
}};

// The window's caption is the application's title.
inline constexpr const char16_t* kWindowCaption = kApplicationTitle;

// Client area in twips, and the platform's 15 twips per pixel at 96 DPI.
inline constexpr int kClientWidthTwips = 8880;
inline constexpr int kClientHeightTwips = 6105;
inline constexpr int kTwipsPerPixelAt96Dpi = 15;

class MainWindow {
 public:
  explicit MainWindow(Launcher& launcher) : launcher_(launcher) {}

  // Load event, before the window is first shown: the start-up checks.
  void Load();
  // Unload event (关闭 or the platform's close): empties the component
  // files and never cancels.
  void Unload();
  // One menu command, run to its end.
  void Choose(MenuCommand command);

 private:
  Launcher& launcher_;
};

}  // namespace korvane
