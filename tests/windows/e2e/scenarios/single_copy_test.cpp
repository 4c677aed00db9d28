// Where the launcher refuses to run: beside a copy of itself that already
// runs, and from the root of a drive.

#include "files.h"
#include "scenario.h"

namespace e2e {
namespace {

TEST(SingleCopy, SecondCopyOfTheSameExecutableEndsSilently) {
  Installation installation(ScenarioFolder());
  installation.WithAllComponents().With(kQueryBackEnd);
  auto first = StartShown(installation);
  ASSERT_TRUE(first);

  // The second copy must not rebuild or touch anything either.
  DeleteFileW(installation.PathOf(kQueryFrontEnd).c_str());
  Process second = installation.Start();
  EXPECT_TRUE(NoMessageFor(second.id()));
  EXPECT_TRUE(second.WaitForExit(kStepTimeoutMs)) << "the second copy did not end";
  EXPECT_FALSE(Exists(installation.PathOf(kQueryFrontEnd)));
  EXPECT_TRUE(IsWindowVisible(first->window));
  EXPECT_TRUE(ClosesOnCommand(first->process, first->window));
}

TEST(DriveRoot, LauncherInADriveRootIsRefused) {
  // K: is mapped to a folder of the work area by the preparation step.
  Installation installation(L"K:\\");
  installation.With(kMainFrontEnd).With(kWorkgroupFile);
  Process launcher = installation.Start();

  HWND box = nullptr;
  ASSERT_TRUE(
      MessageShown(launcher.id(), L"TessalyKorvane", L"建议将该文件安装在文件夹下运行", &box));
  PressButton(box, IDOK);
  EXPECT_TRUE(launcher.WaitForExit(kStepTimeoutMs));
  // The component checks never ran: the missing query front-end was not rebuilt.
  EXPECT_FALSE(Exists(installation.PathOf(kQueryFrontEnd)));
}

TEST(DriveRoot, LauncherInAFolderOfADriveRootRuns) {
  // K:\A is four characters long: a folder, not a root.
  Installation installation(L"K:\\A");
  installation.WithAllComponents();
  auto launcher = StartShown(installation);
  ASSERT_TRUE(launcher);
  EXPECT_TRUE(NoMessageFor(launcher->process.id()));
  EXPECT_TRUE(ClosesOnCommand(launcher->process, launcher->window));
}

}  // namespace
}  // namespace e2e
