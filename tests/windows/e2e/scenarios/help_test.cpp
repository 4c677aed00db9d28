// The help command with the help file present and missing.

#include "help_scenario.h"

namespace e2e {
namespace {

class Help : public ::testing::TestWithParam<bool> {};

TEST_P(Help, OpensTheViewerOnlyWhenTheHelpFileIsThere) {
  const bool withHelpFile = GetParam();
  auto launcher = StartShown(HelpInstallation(withHelpFile));
  ASSERT_TRUE(launcher);
  PostCommand(launcher->window, korvane::windows::kIdHelp);
  if (withHelpFile) {
    HWND viewer = WaitForWindowOf(launcher->process.id(), kViewerClass);
    ASSERT_TRUE(viewer) << "no help viewer window";
    EXPECT_EQ(GetWindow(viewer, GW_OWNER), launcher->window) << "the viewer is not owned";
  }
  EXPECT_TRUE(NoMessageFor(launcher->process.id()));
  EXPECT_EQ(FindWindowOf(launcher->process.id(), kViewerClass) != nullptr, withHelpFile);
  // The command returned: the window still takes commands.
  EXPECT_TRUE(ClosesOnCommand(launcher->process, launcher->window));
}

INSTANTIATE_TEST_SUITE_P(HelpFile, Help, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Present" : "Missing"; });

}  // namespace
}  // namespace e2e
