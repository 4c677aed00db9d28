// The main window's fixed numbers: menu identifiers other programs send and
// the client size.

#include <gtest/gtest.h>

#include "windows/main_frame.h"
#include "windows/main_window_ids.h"

namespace korvane::windows::test {
namespace {

TEST(MainFrameTest, MenuIdentifiersNameTheCommandsInMenuOrder) {
  const std::pair<unsigned, MenuCommand> ids[] = {
      {kIdRun, MenuCommand::运行},    {kIdCompact, MenuCommand::压缩},
      {kIdBackUp, MenuCommand::备份}, {kIdQuery, MenuCommand::查询},
      {kIdHelp, MenuCommand::帮助},   {kIdClose, MenuCommand::关闭},
  };
  for (std::size_t i = 0; i < std::size(ids); ++i) {
    EXPECT_EQ(ids[i].first, 1001u + i);
    EXPECT_EQ(CommandOf(ids[i].first), ids[i].second);
  }
  EXPECT_EQ(CommandOf(1000), std::nullopt);
  EXPECT_EQ(CommandOf(1007), std::nullopt);
}

}  // namespace
}  // namespace korvane::windows::test
