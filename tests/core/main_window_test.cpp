// The main window's menu: what each command runs, the progress box it shows
// and the one line it leaves in the support log, never with a password.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "shell/main_window.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

using Box = FakeWindow::ProgressBox;
const Box kCompacting{u"正在压缩后端数据…", false};
const Box kBackingUp{u"正在备份后端数据…", true};

struct CommandRow {
  const char* name;
  std::function<void(World&)> scene;
  MenuCommand command;
  Outcome outcome;
  Text logLine;
  std::vector<Box> progress = {};
};

class Command : public ::testing::TestWithParam<CommandRow> {};

TEST_P(Command, RunsAndLeavesOneLineForSupport) {
  const CommandRow& row = GetParam();
  World w;
  w.host.PutFile(u"D:\\App\\Korvane后端备份.mdb", "old backup");
  if (row.scene) row.scene(w);

  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(row.command); }), row.outcome);

  EXPECT_EQ(w.supportLog.lines, std::vector<Text>{row.logLine});
  EXPECT_EQ(w.window.progressShown, row.progress);
  // 运行 starts the main front-end.
  for (const Call& start : w.log.CallsOf("StartProcess")) {
    EXPECT_NE(start.arguments[1].find(kMainFrontEndName), Text::npos);
  }
  for (const Text& line : w.supportLog.lines) {
    EXPECT_EQ(line.find(u"pelmo"), Text::npos);
    EXPECT_EQ(line.find(u"tandr4820517"), Text::npos);
  }
}

// Errors whose texts carry what the launcher passed on: a command line, a
// connection text.
void StartFailsNamingItsCommandLine(World& w) {
  w.log.Fail("StartProcess",
             Error(2, u"无法启动 msaccess.exe /user \"qorvu\" /pwd\"pelmo\"", u"StartProcess"));
}
void CompactionFailsNamingItsConnection(World& w) {
  w.log.Fail("CompactDatabase",
             Error(-2147217843,
                   u"无法打开 Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database "
                   u"Password='tandr4820517';Data Source=D:\\share\\data.mdb",
                   u"JRO.JetEngine"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Menu, Command,
    ::testing::Values(
        CommandRow{"RunStarts", {}, MenuCommand::运行, Outcome::kProgramEnded, u"数据操作前端\t已启动"},
        CommandRow{"RunFailsToStart", StartFailsNamingItsCommandLine, MenuCommand::运行, Outcome::kProgramEnded,
                   u"数据操作前端\t失败\t错误 2\tStartProcess\t无法启动 msaccess.exe /user \"qorvu\" /pwd***"},
        CommandRow{"RunFailsNamingThePassword",
                   [](World& w) { w.log.Fail("StartProcess", Error(5, u"拒绝访问: pelmo", u"StartProcess")); },
                   MenuCommand::运行, Outcome::kProgramEnded, u"数据操作前端\t失败\t错误 5\tStartProcess\t拒绝访问: ***"},
        CommandRow{"Compact", {}, MenuCommand::压缩, Outcome::kReturned, u"压缩后端数据\t完成", {kCompacting}},
        CommandRow{"CompactWhileAnotherUserWrites",
                   [](World& w) { w.engine.afterCompaction = [&w] { w.host.WriteAsAnotherUser(kBackEndPath, "新"); }; },
                   MenuCommand::压缩, Outcome::kReturned, u"压缩后端数据\t压缩期间后端已被修改，后端未替换", {kCompacting}},
        CommandRow{"CompactBackEndNotNamedMdb",
                   [](World& w) { w.host.PutFile(u"D:\\share\\data.dat", "x"); w.engine.firstRow = u"D:\\share\\data.dat"; },
                   MenuCommand::压缩, Outcome::kReturned, u"压缩后端数据\t后端不以.mdb结尾，压缩副本留在原处", {kCompacting}},
        CommandRow{"CompactFails", CompactionFailsNamingItsConnection, MenuCommand::压缩, Outcome::kReturned,
                   u"压缩后端数据\t失败\t错误 -2147217843\tJRO.JetEngine\t无法打开 Provider=Microsoft.Jet.OLEDB.4.0;"
                   u"Jet OLEDB:Database Password=***;Data Source=D:\\share\\data.mdb", {kCompacting}},
        CommandRow{"BackUp", {}, MenuCommand::备份, Outcome::kReturned, u"备份后端数据\t完成", {kBackingUp}},
        CommandRow{"BackUpCancelled", [](World& w) { w.window.userCancels = true; }, MenuCommand::备份,
                   Outcome::kReturned, u"备份后端数据\t失败\t错误 1235\tFakeHost\t请求已被中止", {kBackingUp}},
        CommandRow{"BackUpOfAMissingBackEnd", [](World& w) { w.host.RemoveFile(kBackEndPath); }, MenuCommand::备份,
                   Outcome::kReturned, u"备份后端数据\t没有发现后端数据库文件"},
        CommandRow{"QueryCancelled", {}, MenuCommand::查询, Outcome::kReturned, u"调阅档案数据\t取消"},
        CommandRow{"HelpViewerFails", [](World& w) { w.host.PutFile(kHelpPath, "chm"); w.log.Fail("HtmlHelpA"); },
                   MenuCommand::帮助, Outcome::kReturned, u"帮助\t失败\t错误 1001\tCallLog\t注入的故障"}),
    RowName());
// clang-format on

TEST_F(LauncherTest, CloseUnloadsAndEmptiesTheComponentTable) {
  w.mainWindow.Choose(MenuCommand::关闭);
  for (int i = 0; i < ComponentFiles::kCount; ++i) EXPECT_EQ(w.launcher.componentFiles.At(i), u"");
  EXPECT_THROW(w.launcher.componentFiles.At(ComponentFiles::kCount), Error);
  EXPECT_EQ(w.log.Operations(), std::vector<std::string>{"Window.Unload"});
  EXPECT_EQ(w.supportLog.lines, std::vector<Text>{u"关闭窗口\t完成"});
}

}  // namespace
}  // namespace korvane::testing
