// The main window's menu: what each command runs.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "shell/main_window.h"

namespace korvane::testing {
namespace {

// 运行 ends the program after the launch.
TEST_F(LauncherTest, RunStartsTheMainFrontEndAndEndsTheProgram) {
  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(MenuCommand::运行); }), Outcome::kProgramEnded);
  const Text commandLine = w.log.CallsOf("StartProcess").at(0).arguments[1];
  EXPECT_NE(commandLine.find(kMainFrontEndName), Text::npos);
}

TEST_F(LauncherTest, CompactAndBackUpPassTheirActionWords) {
  w.mainWindow.Choose(MenuCommand::压缩);
  w.mainWindow.Choose(MenuCommand::备份);
  EXPECT_EQ(w.host.messages, (std::vector<MessageBox>{kCompactedNotice, kBackedUpNotice}));
}

TEST_F(LauncherTest, CloseUnloadsAndEmptiesTheComponentTable) {
  w.mainWindow.Choose(MenuCommand::关闭);
  for (int i = 0; i < ComponentFiles::kCount; ++i) EXPECT_EQ(w.launcher.componentFiles.At(i), u"");
  EXPECT_THROW(w.launcher.componentFiles.At(ComponentFiles::kCount), Error);
  EXPECT_EQ(w.log.Operations(), std::vector<std::string>{"Window.Unload"});
}

}  // namespace
}  // namespace korvane::testing
