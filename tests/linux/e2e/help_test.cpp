// 帮助: the help file's default topic in a viewer owned by the main window;
// nothing at all when the file is unreadable.

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

// The compiled-help reader refuses a file that is not one; the viewer stays shut.
TEST_F(LauncherTest, HelpOpensNothingAndSaysNothingForAFileThatIsNotHelp) {
  std::ofstream(demo.InProgram("nuqe.chm")) << "<html>not compiled</html>";

  const Outcome outcome = RunLauncher(demo, {kHelp, "windows"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, "idle"}));
}

}  // namespace
}  // namespace korvane::e2e
