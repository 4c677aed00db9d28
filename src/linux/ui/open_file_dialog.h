#pragma once
// The main window's open-file dialog on Qt. It behaves as the platform's own
// does for the flags the launcher sets: typed names of missing files are
// accepted, several files may be chosen, and on acceptance the current
// directory is the chosen file's folder.

#include <QPointer>
#include <QWidget>

#include "platform/file_dialog.h"

namespace korvane::ui {

// Open-file-dialog flags, as the platform numbers them.
namespace ofn {
inline constexpr std::uint32_t kAllowMultiSelect = 0x200;
inline constexpr std::uint32_t kPathMustExist = 0x800;
inline constexpr std::uint32_t kFileMustExist = 0x1000;
inline constexpr std::uint32_t kNoDereferenceLinks = 0x100000;
}  // namespace ofn

// The dialog's errors, numbered as the platform's common dialog numbers them.
namespace dialog_error {
inline constexpr std::int32_t kPathNotFound = 76;
inline constexpr std::int32_t kBufferTooSmall = 20476;
}  // namespace dialog_error

class OpenFileDialog : public FileDialog {
 public:
  // `owner` is the window the dialog is modal over once it is shown.
  explicit OpenFileDialog(QWidget* owner) : owner_(owner) {}

  void ShowOpen() override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace korvane::ui
