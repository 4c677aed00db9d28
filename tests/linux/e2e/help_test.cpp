// 帮助 and 关闭窗口: the help file's default topic in a viewer owned by the
// main window, which does not keep the launcher alive once it is closed;
// nothing at all when the file is unreadable.

#include <fstream>

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kHelp[] = "choose 帮助";

TEST_F(LauncherTest, HelpShowsOneViewerOwnedByTheWindowAndCloseEndsBoth) {
  const Outcome outcome =
      RunLauncher(demo, {kHelp, "windows", kHelp, "windows", "choose 关闭窗口"});

  const std::string viewer = "window *|owner TessalyKorvane|topic chm:/index.htm";
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, {kShown, viewer, viewer}));  // ended, not idle
}

// The compiled-help reader refuses a file that is not one; the viewer stays shut.
TEST_F(LauncherTest, HelpOpensNothingAndSaysNothingForAFileThatIsNotHelp) {
  std::ofstream(demo.App("nuqe.chm")) << "<html>not compiled</html>";

  const Outcome outcome = RunLauncher(demo, {kHelp, "windows"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, "idle"}));
}

}  // namespace
}  // namespace korvane::e2e
