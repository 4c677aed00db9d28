#pragma once
// The open-file dialog, scripted: it accepts a chosen path (and leaves the
// current directory at the folder the test names, as the platform's dialog
// does) or is cancelled. ShowOpen enters the properties it was shown with.

#include <optional>

#include "fakes/call_log.h"
#include "fakes/fake_host.h"
#include "launch/file_dialog.h"

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

  void ShowOpen() override;

  // ShowOpen's arguments in the log, in this order.
  static std::vector<Text> Properties(bool cancelError, int maxFileSize, std::uint32_t flags,
                                      const Text& title, const Text& filter);

 private:
  CallLog& log_;
  FakeHost& host_;
};

}  // namespace korvane::testing
