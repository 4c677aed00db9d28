#include "fakes/scripted_dialog.h"

namespace korvane::testing {

std::vector<Text> ScriptedDialog::Properties(bool cancelError, int maxFileSize, std::uint32_t flags,
                                             const Text& title, const Text& filter) {
  return {cancelError ? u"True" : u"False", Arg(maxFileSize), Arg(flags), title, filter};
}

void ScriptedDialog::ShowOpen() {
  log_.Enter("ShowOpen", Properties(cancelError_, maxFileSize_, flags_, dialogTitle_, filter_));
  if (!choice) {
    if (cancelError_)
      log_.Raise(Error(error_number::kDialogCancelled, u"选定“取消”", u"CommonDialog"));
    return;
  }
  fileName_ = choice->chosenPath;
  host_.currentDirectory = choice->currentDirectory;
}

}  // namespace korvane::testing
