#pragma once
// CommonDialog1 on Win32: GetOpenFileNameW with the properties the command
// set.

#include "platform/file_dialog.h"
#include "windows/com_apartment.h"
#include "windows/win32.h"

namespace korvane::windows {

// "desc|pattern|desc|pattern" as the dialog takes it: each part ended by a
// NUL, the whole ended by a second NUL.
Text DialogFilter(const Text& filter);

// The text a dialog left in its buffer: one full path, or with several
// files selected the folder and the names separated by NULs
// ("folder\0name\0name"). Stops at the empty entry that ends the list.
Text ChosenText(const wchar_t* buffer, std::size_t capacity);

// The folder of the chosen files: for one file the path up to its last
// backslash (a drive root keeps its backslash), for several the folder
// entry in front of the names.
Text ChosenFolder(const Text& chosen);

// Makes the chosen files' folder the current directory when the dialog has
// not done so itself (it does so only when the user navigated there, not
// when a full path was typed). Raises when the folder cannot be entered.
void EnterChosenFolder(const Text& chosen);

class Win32OpenFileDialog final : public FileDialog {
 public:
  // The dialog runs in `apartment`.
  explicit Win32OpenFileDialog(ComApartment& apartment) : apartment_(apartment) {}
  void SetOwnerWindow(HWND owner) { owner_ = owner; }
  void ShowOpen() override;

 private:
  ComApartment& apartment_;
  HWND owner_ = nullptr;
};

}  // namespace korvane::windows
