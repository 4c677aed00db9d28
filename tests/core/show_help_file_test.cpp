// The 帮助 command: the help file in the viewer, owned by the main window;
// a failing viewer reported once.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "help/show_help_file.h"

namespace korvane::testing {
namespace {

struct HelpRow {
  const char* name;
  bool helpFilePresent;
  std::optional<Error> viewerError;
  NativeWindowHandle viewerHandle;
  std::size_t viewerCalls;
  std::vector<MessageBox> messages;
};

class ShowHelp : public ::testing::TestWithParam<HelpRow> {};

TEST_P(ShowHelp, ShowsTheFileOrReportsTheViewer) {
  const HelpRow& row = GetParam();
  World w;
  w.StandardScene();
  if (row.helpFilePresent) w.host.PutFile(kHelpPath, "help");
  if (row.viewerError) w.log.Fail("HtmlHelpA", std::nullopt, row.viewerError);
  w.viewer.viewerHandle = row.viewerHandle;

  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(MenuCommand::帮助); }), Outcome::kReturned);

  const auto calls = w.log.CallsOf("HtmlHelpA");
  ASSERT_EQ(calls.size(), row.viewerCalls);
  for (const Call& call : calls) {
    EXPECT_EQ(call.arguments, (std::vector<Text>{Arg(kWindowHandle), kHelpPath, u"0", u"0"}));
  }
  EXPECT_EQ(w.host.messages, row.messages);
  EXPECT_FALSE(w.window.unloaded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShowHelp,
    ::testing::Values(
        HelpRow{"MissingFile", false, std::nullopt, 0x3C4D, 0, {}},
        HelpRow{"Shown", true, std::nullopt, 0x3C4D, 1, {}},
        HelpRow{"ViewerOpensNoWindow", true, std::nullopt, 0, 1, {}},
        HelpRow{"ViewerCannotBeLoaded",
                true,
                Error(48, u"加载 DLL 时出错", u"hhctrl.ocx"),
                0,
                1,
                {{u"hhctrl.ocx-->加载 DLL 时出错", Text(u"出错"), MessageButtons::kOk}}},
        HelpRow{"ErrorNumberZeroNotReported", true, Error(0, u"", u"hhctrl.ocx"), 0, 1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LauncherTest, HelpChosenTwiceAsksTheViewerTwice) {
  w.host.PutFile(kHelpPath, "help");
  w.mainWindow.Choose(MenuCommand::帮助);
  w.mainWindow.Choose(MenuCommand::帮助);
  const auto calls = w.log.CallsOf("HtmlHelpA");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].arguments, calls[1].arguments);
  // Nothing waits on the viewer: its call is the command's last.
  EXPECT_EQ(w.log.Operations().back(), "HtmlHelpA");
}

}  // namespace
}  // namespace korvane::testing
