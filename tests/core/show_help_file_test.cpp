// The 帮助 command: the help file in the viewer, owned by the main window.
// A failing viewer is reported unless its error carries no number.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "help/show_help_file.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

struct HelpRow {
  const char* name;
  bool helpFilePresent;
  std::optional<Error> viewerError;
  bool messageBoxFails = false;
  std::vector<MessageBox> messages = {};
};

class ShowHelp : public ::testing::TestWithParam<HelpRow> {};

TEST_P(ShowHelp, ShowsTheFileOrReportsTheViewersError) {
  const HelpRow& row = GetParam();
  World w;
  if (row.helpFilePresent) w.host.PutFile(kHelpPath, "help");
  if (row.viewerError) w.log.Fail("HtmlHelpA", row.viewerError);
  // The report of a failing viewer cannot be shown either: nothing escapes.
  if (row.messageBoxFails) w.log.Fail("ShowMessage");

  EXPECT_EQ(w.Run([&] { w.mainWindow.Choose(MenuCommand::帮助); }), Outcome::kReturned);

  const auto calls = w.log.CallsOf("HtmlHelpA");
  ASSERT_EQ(calls.size(), row.helpFilePresent ? 1u : 0u);
  for (const Call& call : calls)
    EXPECT_EQ(call.arguments, (std::vector<Text>{Arg(kWindowHandle), kHelpPath, u"0", u"0"}));
  EXPECT_EQ(w.host.messages, row.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShowHelp,
    ::testing::Values(HelpRow{"MissingFile", false, std::nullopt},
                      HelpRow{"ViewerFails",
                              true,
                              Error(126, u"找不到模块", u"hhctrl.ocx"),
                              false,
                              {{u"hhctrl.ocx-->找不到模块", Text(u"出错"), MessageButtons::kOk}}},
                      HelpRow{"ErrorNumberZeroNotReported", true, Error(0, u"", u"hhctrl.ocx")},
                      HelpRow{"ReportCannotBeShown", true, Error(126, u"x", u"hhctrl.ocx"), true}),
    RowName());

}  // namespace
}  // namespace korvane::testing
