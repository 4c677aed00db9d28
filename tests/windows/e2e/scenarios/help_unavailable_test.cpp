// The help command when the HTML Help component cannot be loaded. This
// program runs with hhctrl.ocx disabled in Wine, for itself and the launchers
// it starts.

#include "help_scenario.h"

namespace e2e {
namespace {

TEST(HelpUnavailable, ViewerFailureIsReportedOnce) {
  // Wine reads its DLL overrides from the Unix environment that this program
  // was started with and hands on to the launcher.
  const wchar_t* overrides = _wgetenv(L"WINEDLLOVERRIDES");
  ASSERT_TRUE(overrides && wcsstr(overrides, L"hhctrl.ocx"))
      << "run with WINEDLLOVERRIDES disabling hhctrl.ocx";
  auto launcher = StartShown(HelpInstallation(true));
  ASSERT_TRUE(launcher);
  PostCommand(launcher->window, korvane::windows::kIdHelp);
  HWND report = nullptr;
  ASSERT_TRUE(ErrorReportShown(launcher->process.id(), L"出错", &report));
  PressButton(report, IDOK);
  EXPECT_TRUE(NoMessageFor(launcher->process.id()));
  EXPECT_TRUE(IsWindowVisible(launcher->window));
  EXPECT_TRUE(ClosesOnCommand(launcher->process, launcher->window));
}

}  // namespace
}  // namespace e2e
