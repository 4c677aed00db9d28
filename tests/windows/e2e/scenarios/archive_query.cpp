#include "archive_query.h"

#include "scenario.h"

namespace e2e {

HWND OpenArchiveDialog(DWORD processId, HWND mainWindow) {
  PostCommand(mainWindow, korvane::windows::kIdQuery);
  return WaitForWindowOf(processId, L"#32770", kOpenDialogTitle);
}

void ChooseArchive(HWND dialog, const std::wstring& path) {
  TypeFileName(dialog, path);
  PressButton(dialog, IDOK);
}

}  // namespace e2e
