// Where the launcher refuses to run: beside a copy of itself that already
// runs, and from the root of a drive.

#include "files.h"
#include "scenario.h"

namespace e2e {
namespace {

// Runs until it ends, failing on any message box it shows meanwhile.
::testing::AssertionResult EndsSilently(const Process& process) {
  const ULONGLONG deadline = GetTickCount64() + kStepTimeoutMs;
  while (!process.HasExited()) {
    if (auto shown = FindMessageBox(process.id()))
      return ::testing::AssertionFailure() << "message box \"" << Narrow(shown->text) << "\"";
    if (FindWindowOf(process.id(), korvane::windows::kMainWindowClass))
      return ::testing::AssertionFailure() << "the second copy showed its window";
    if (GetTickCount64() >= deadline) return ::testing::AssertionFailure() << "it did not end";
    Sleep(kPollMs);
  }
  return ::testing::AssertionSuccess();
}

TEST(SingleCopy, SecondCopyOfTheSameExecutableEndsSilently) {
  Installation installation(ScenarioFolder());
  installation.WithAllComponents().With(kQueryBackEnd);
  auto first = StartShown(installation);
  ASSERT_TRUE(first);

  // The second copy must not rebuild or touch anything either.
  DeleteFileW(installation.PathOf(kQueryFrontEnd).c_str());
  Process second = installation.Start();
  EXPECT_TRUE(EndsSilently(second));
  EXPECT_FALSE(Exists(installation.PathOf(kQueryFrontEnd)));
  EXPECT_TRUE(IsWindowVisible(first->window));
  EXPECT_TRUE(ClosesOnCommand(first->process, first->window));
}

TEST(SingleCopy, CopyInAnotherFolderRunsAlongside) {
  Installation one(ScenarioFolder() + L"\\one");
  Installation other(ScenarioFolder() + L"\\other");
  one.WithAllComponents();
  other.WithAllComponents();
  auto first = StartShown(one);
  ASSERT_TRUE(first);
  auto second = StartShown(other);
  ASSERT_TRUE(second) << "a launcher in another folder was taken for a second copy";
  EXPECT_TRUE(ClosesOnCommand(second->process, second->window));
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
