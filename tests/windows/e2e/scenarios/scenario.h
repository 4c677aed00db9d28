#pragma once
// What every scenario shares: a folder of its own, the launcher started in
// it, and expectations on the launcher's messages and its end.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "installation.h"
#include "main_window_ids.h"
#include "process.h"
#include "ui.h"
#include "wait.h"

namespace e2e {

// A folder of the work area named after the running test.
std::wstring ScenarioFolder();

// UTF-8 for readable failure messages.
std::string Narrow(const std::wstring& text);

// Waits for a message box of the process and checks it: the title and text,
// no icon, and an OK button only.
::testing::AssertionResult MessageShown(DWORD processId, const std::wstring& title,
                                        const std::wstring& text, HWND* box = nullptr);
// The same for the one question: Yes and No, with No the default.
::testing::AssertionResult QuestionShown(DWORD processId, const std::wstring& title,
                                         const std::wstring& text, HWND* box = nullptr);
// The same for an error report: a source, "-->" and a description as text.
::testing::AssertionResult ErrorReportShown(DWORD processId, const std::wstring& title,
                                            HWND* box = nullptr);

// Fails when the process shows a message box within a short while.
::testing::AssertionResult NoMessageFor(DWORD processId);

// Checks that the launcher still runs, chooses 关闭 and checks that it ends.
::testing::AssertionResult ClosesOnCommand(const Process& launcher, HWND window);

// A launcher started in an installation, shown and ready for commands.
struct ShownLauncher {
  Process process;
  HWND window;
};
std::optional<ShownLauncher> StartShown(const Installation& installation);

}  // namespace e2e
