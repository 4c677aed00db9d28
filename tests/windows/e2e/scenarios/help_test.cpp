// The help command with the help file present and missing.

#include "help_scenario.h"
#include "scenario.h"

namespace e2e {
namespace {

TEST(Help, OpensTheViewerOnTheHelpFile) {
  auto launcher = StartShown(HelpInstallation(true));
  ASSERT_TRUE(launcher);
  PostCommand(launcher->window, korvane::windows::kIdHelp);
  HWND viewer = WaitForWindowOf(launcher->process.id(), kViewerClass);
  ASSERT_TRUE(viewer) << "no help viewer window";
  EXPECT_EQ(GetWindow(viewer, GW_OWNER), launcher->window)
      << "the viewer is not owned by the window";
  EXPECT_TRUE(NoMessageFor(launcher->process.id()));
  EXPECT_TRUE(IsWindowVisible(launcher->window));
  // The command returned: the window still takes commands.
  EXPECT_TRUE(ClosesOnCommand(launcher->process, launcher->window));
}

TEST(Help, MissingHelpFileShowsNothing) {
  auto launcher = StartShown(HelpInstallation(false));
  ASSERT_TRUE(launcher);
  PostCommand(launcher->window, korvane::windows::kIdHelp);
  EXPECT_TRUE(NoMessageFor(launcher->process.id()));
  EXPECT_FALSE(FindWindowOf(launcher->process.id(), kViewerClass));
  EXPECT_TRUE(ClosesOnCommand(launcher->process, launcher->window));
}

}  // namespace
}  // namespace e2e
