// Start-up through the real program: the query front-end rebuilt by a file
// copy, and a second copy that ends at once.

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kQuery[] = "查询系统.mde";

TEST_F(LauncherTest, RebuildsAMissingQueryFrontEndAndShowsTheWindow) {
  const Outcome outcome = RunLauncher(demo, {});

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, {kShown, "idle"}));
  EXPECT_EQ(ReadFile(demo.App(kQuery)), ReadFile(demo.files.frontEnd));
}

TEST_F(LauncherTest, ASecondCopyEndsAtOnceShowingNothingAndTouchingNoFile) {
  LauncherProcess first(demo, {"wait 30000"});
  ASSERT_TRUE(first.WaitForLogLine(kShown));
  fs::remove(demo.App(kQuery));  // rebuilt by the first; a second check would rebuild it

  const Outcome second = RunLauncher(demo, {});

  EXPECT_EQ(second.exitCode, 0);
  EXPECT_TRUE(LogMatches(second.log, {}));
  EXPECT_FALSE(fs::exists(demo.App(kQuery)));
}

}  // namespace
}  // namespace korvane::e2e
