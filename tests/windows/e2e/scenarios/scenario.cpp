#include "scenario.h"

#include "paths.h"

namespace e2e {

std::wstring ScenarioFolder() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::wstring wide(name.begin(), name.end());
  for (auto& c : wide)
    if (c == L'/') c = L'-';
  return Join(WorkFolder(), wide);
}

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

namespace {

// The text of an error report: a source, "-->", a description.
bool IsErrorReport(const std::wstring& text) {
  size_t arrow = text.find(L"-->");
  return arrow != std::wstring::npos && arrow > 0 && arrow + 3 < text.size();
}

enum class Buttons { Ok, YesNo };

::testing::AssertionResult Shown(DWORD processId, const std::wstring& title,
                                 const std::wstring* text, Buttons buttons, HWND* box) {
  auto shown = WaitForMessageBox(processId);
  const std::string expected = text ? Narrow(*text) : "source-->description";
  if (!shown)
    return ::testing::AssertionFailure()
           << "no message box appeared; expected \"" << expected << "\"";
  if (box) *box = shown->window;
  const bool textMatches = text ? shown->text == *text : IsErrorReport(shown->text);
  if (shown->title != title || !textMatches)
    return ::testing::AssertionFailure()
           << "message box \"" << Narrow(shown->text) << "\" titled \"" << Narrow(shown->title)
           << "\"; expected \"" << expected << "\" titled \"" << Narrow(title) << "\"";
  const std::vector<int> expectedButtons =
      buttons == Buttons::Ok ? std::vector<int>{IDOK} : std::vector<int>{IDYES, IDNO};
  const int expectedDefault = buttons == Buttons::Ok ? IDOK : IDNO;
  if (shown->buttons != expectedButtons || shown->defaultButton != expectedDefault)
    return ::testing::AssertionFailure()
           << "message box \"" << Narrow(shown->text) << "\" has " << shown->buttons.size()
           << " buttons, default " << shown->defaultButton;
  if (shown->hasIcon)
    return ::testing::AssertionFailure()
           << "message box \"" << Narrow(shown->text) << "\" shows an icon";
  return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult MessageShown(DWORD processId, const std::wstring& title,
                                        const std::wstring& text, HWND* box) {
  return Shown(processId, title, &text, Buttons::Ok, box);
}

::testing::AssertionResult QuestionShown(DWORD processId, const std::wstring& title,
                                         const std::wstring& text, HWND* box) {
  return Shown(processId, title, &text, Buttons::YesNo, box);
}

::testing::AssertionResult ErrorReportShown(DWORD processId, const std::wstring& title, HWND* box) {
  return Shown(processId, title, nullptr, Buttons::Ok, box);
}

::testing::AssertionResult NoMessageFor(DWORD processId) {
  if (auto shown = PollFor(kQuietMs, [&] { return FindMessageBox(processId); }))
    return ::testing::AssertionFailure() << "unexpected message box \"" << Narrow(shown->text)
                                         << "\" titled \"" << Narrow(shown->title) << "\"";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ClosesOnCommand(const Process& launcher, HWND window) {
  if (launcher.HasExited())
    return ::testing::AssertionFailure() << "the launcher ended before 关闭";
  PostCommand(window, korvane::windows::kIdClose);
  if (!launcher.WaitForExit(kStepTimeoutMs))
    return ::testing::AssertionFailure() << "the launcher did not end after 关闭";
  return ::testing::AssertionSuccess();
}

std::optional<ShownLauncher> StartShown(const Installation& installation) {
  Process process = installation.Start();
  HWND window = WaitForMainWindow(process.id());
  if (!window) {
    ADD_FAILURE() << "the main window did not appear";
    return std::nullopt;
  }
  return ShownLauncher{std::move(process), window};
}

}  // namespace e2e
