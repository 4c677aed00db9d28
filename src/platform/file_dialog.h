#pragma once
// The main window's open-file dialog (CommonDialog1). The command sets its
// properties before each use; an edition implements ShowOpen alone. The
// seam keeps the dialog control's shape on purpose (its properties, the
// platform's OFN_* flag numbers, the cancel error 32755), so that the
// command reads as the dialog is used and an edition maps nothing.

#include <cstdint>

#include "platform/text.h"

namespace korvane {

class FileDialog {
 public:
  virtual ~FileDialog() = default;

  void SetCancelError(bool raise) { cancelError_ = raise; }
  // The longest text, in characters, the dialog may return in FileName.
  void SetMaxFileSize(int characters) { maxFileSize_ = characters; }
  // Open-file-dialog flags (OFN_*) as the platform numbers them.
  void SetFlags(std::uint32_t flags) { flags_ = flags; }
  void SetDialogTitle(const Text& title) { dialogTitle_ = title; }
  // "description|pattern" pairs joined by "|".
  void SetFilter(const Text& filter) { filter_ = filter; }
  const Text& FileName() const { return fileName_; }
  void SetFileName(const Text& fileName) { fileName_ = fileName; }

  // Shows the modal open-file dialog over the main window. On acceptance
  // FileName holds the chosen path and the current directory is the chosen
  // file's folder. On cancel, with CancelError set, raises error 32755 and
  // leaves FileName as it was.
  virtual void ShowOpen() = 0;

 protected:
  bool cancelError_ = false;
  int maxFileSize_ = 260;
  std::uint32_t flags_ = 0;
  Text dialogTitle_;
  Text filter_;
  Text fileName_;
};

}  // namespace korvane
