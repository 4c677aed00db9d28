#pragma once
// The open-file dialog, scripted: it accepts a chosen path (and leaves the
// current directory at the folder the test names, as the platform's dialog
// does) or is cancelled. ShowOpen enters the properties it was shown with.

#include <optional>

#include "fakes/call_log.h"
#include "fakes/fake_host.h"
#include "platform/file_dialog.h"

namespace korvane::testing {

struct DialogChoice {
  Text chosenPath;
  Text currentDirectory;
};

class ScriptedDialog : public FileDialog {
 public:
  ScriptedDialog(CallLog& log, FakeHost& host) : log_(log), host_(host) {}

  // The user's choice; a cancel when empty.
  std::optional<DialogChoice> choice;

  void ShowOpen() override {
    log_.Enter("ShowOpen", {cancelError_ ? u"True" : u"False", Arg(maxFileSize_), Arg(flags_),
                            dialogTitle_, filter_});
    if (!choice) {
      if (cancelError_) throw Error(error_number::kDialogCancelled, u"选定“取消”", u"CommonDialog");
      return;
    }
    fileName_ = choice->chosenPath;
    host_.currentDirectory = choice->currentDirectory;
  }

 private:
  CallLog& log_;
  FakeHost& host_;
};

}  // namespace korvane::testing
