#pragma once
// Working the 查询 command's open-file dialog.

#include <string>

#include <windows.h>

namespace e2e {

inline constexpr wchar_t kOpenDialogTitle[] = L"调入后端数据库文件";

// Chooses 查询 and waits for its open-file dialog; nothing when none appears.
HWND OpenArchiveDialog(DWORD processId, HWND mainWindow);

// Types the path into the dialog and accepts it.
void ChooseArchive(HWND dialog, const std::wstring& path);

}  // namespace e2e
