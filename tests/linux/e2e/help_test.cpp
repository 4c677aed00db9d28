// 帮助: the help file's default topic in a viewer owned by the main window;
// nothing at all when the file is missing or unreadable.

#include <fstream>

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kHelp[] = "choose 帮助";
const std::string kViewer = "window *|owner TessalyKorvane|topic chm:/index.htm";

TEST_F(LauncherTest, HelpShowsTheDefaultTopicInOneViewerOwnedByTheWindow) {
  const Outcome outcome = RunLauncher(demo, {kHelp, "windows", kHelp, "windows"});

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kViewer, kViewer, "idle"}));
}

struct NoHelpRow {
  const char* name;
  const char* content;  // nullptr: no help file at all
};
void PrintTo(const NoHelpRow& row, std::ostream* out) {
  *out << row.name;
}

class NoHelp : public LauncherTest, public ::testing::WithParamInterface<NoHelpRow> {};

TEST_P(NoHelp, OpensNothingAndSaysNothing) {
  fs::remove(demo.InProgram("nuqe.chm"));
  if (GetParam().content != nullptr)
    std::ofstream(demo.InProgram("nuqe.chm")) << GetParam().content;

  const Outcome outcome = RunLauncher(demo, {kHelp, "windows"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, "idle"}));
}

INSTANTIATE_TEST_SUITE_P(, NoHelp,
                         ::testing::Values(NoHelpRow{"Missing", nullptr},
                                           NoHelpRow{"NotAHelpFile", "<html>not compiled</html>"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::e2e
