// Start-up through the real program: the query front-end rebuilt by a file
// copy before the window shows, and a second copy that ends at once.

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kQuery[] = "查询系统.mde";

TEST_F(LauncherTest, RebuildsTheQueryFrontEndAndASecondCopyEndsAtOnceTouchingNoFile) {
  LauncherProcess first(demo, {"wait 30000"});
  ASSERT_TRUE(Eventually([&] { return LogMatches(first.Log(), {kShown}); }));
  EXPECT_EQ(ReadFile(demo.App(kQuery)), ReadFile(demo.files.frontEnd));
  fs::remove(demo.App(kQuery));  // a second check would rebuild it

  const Outcome second = RunLauncher(demo, {});

  EXPECT_EQ(second.exitCode, 0);
  EXPECT_TRUE(LogMatches(second.log, {}));
  EXPECT_FALSE(fs::exists(demo.App(kQuery)));
}

}  // namespace
}  // namespace korvane::e2e
