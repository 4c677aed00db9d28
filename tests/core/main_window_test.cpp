// The main window: its menu, what each command runs, and that the window
// stays usable after commands that failed.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "shell/main_window.h"

namespace korvane::testing {
namespace {

TEST(MainWindowModel, HoldsTheCaptionSizeAndMenuInOrder) {
  EXPECT_EQ(Text(kWindowCaption), u"TessalyKorvane");
  EXPECT_EQ(kClientWidthTwips / kTwipsPerPixelAt96Dpi, 592);
  EXPECT_EQ(kClientHeightTwips / kTwipsPerPixelAt96Dpi, 407);
  std::vector<Text> captions;
  for (const MenuEntry& entry : kMenuBar) captions.push_back(entry.caption);
  EXPECT_EQ(captions, (std::vector<Text>{u"数据操作前端", u"压缩后端数据", u"备份后端数据",
                                         u"调阅档案数据", u"帮助", u"关闭窗口"}));
}

// 运行 ends the program whatever the launch did, without the unload step.
class RunCommand : public ::testing::TestWithParam<std::function<void(World&)>> {};

TEST_P(RunCommand, EndsTheProgramAfterTheLaunch) {
  World w;
  w.StandardScene();
  GetParam()(w);
  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(MenuCommand::运行); }), Outcome::kProgramEnded);
  EXPECT_EQ(w.log.Operations().back(), "EndProgram");
  EXPECT_EQ(w.log.Count("EndProgram"), 1u);
  EXPECT_FALSE(w.window.unloaded);
  EXPECT_EQ(w.launcher.componentFiles[ComponentFile::MainFrontEnd], u"系统前端.mde");
}

INSTANTIATE_TEST_SUITE_P(WhateverTheLaunchDid, RunCommand,
                         ::testing::Values([](World&) {},  // started
                                           [](World& w) { w.automation.runningName = u"Korvane"; },
                                           [](World& w) {
                                             w.log.Fail("Recordset.Open");
                                           },  // answered No
                                           [](World& w) { w.log.Fail("StartProcess"); }));

TEST_F(LauncherTest, CompactAndBackUpPassTheirActionWords) {
  w.mainWindow.Choose(MenuCommand::压缩);
  w.mainWindow.Choose(MenuCommand::备份);
  std::vector<Text> notices;
  for (const MessageBox& box : w.host.messages) notices.push_back(box.text);
  EXPECT_EQ(notices, (std::vector<Text>{u"后端数据压缩工作已经结束", u"后端数据备份工作已经结束"}));
  EXPECT_EQ(w.log.Count("CompactDatabase"), 1u);
  EXPECT_EQ(w.host.Content(kBackUpPath), FakeEngine::Compacted(kBackEndData));
}

TEST_F(LauncherTest, CloseUnloadsAndEmptiesTheComponentTable) {
  w.mainWindow.Choose(MenuCommand::关闭);
  EXPECT_TRUE(w.window.unloaded);
  for (int i = 0; i < ComponentFiles::kCount; ++i) EXPECT_EQ(w.launcher.componentFiles.At(i), u"");
  EXPECT_EQ(w.log.Operations(), std::vector<std::string>{"Window.Unload"});
}

TEST_F(LauncherTest, ComponentTableHasExactlyThreeSlots) {
  for (const int index : {-1, 3}) {
    EXPECT_THROW(w.launcher.componentFiles.At(index), Error);
  }
}

TEST_F(LauncherTest, CommandsAfterFailuresLeaveTheWindowUsable) {
  w.host.PutFile(kHelpPath, "help");
  w.host.SetLocked(kBackEndPath);
  w.log.Fail("HtmlHelpA");
  for (const MenuCommand command :
       {MenuCommand::压缩, MenuCommand::备份, MenuCommand::帮助, MenuCommand::查询}) {
    EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(command); }), Outcome::kReturned);
  }
  w.host.SetLocked(kBackEndPath, false);
  w.mainWindow.Choose(MenuCommand::备份);
  EXPECT_EQ(w.host.Content(kBackUpPath), kBackEndData);
  EXPECT_EQ(w.host.messages.back().text, u"后端数据备份工作已经结束");
  EXPECT_FALSE(w.window.unloaded);
}

}  // namespace
}  // namespace korvane::testing
