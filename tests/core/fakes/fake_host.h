#pragma once
// An in-memory desktop platform: files keyed by Windows path without regard
// to ASCII case, each with its content and whether it is locked (open
// elsewhere, so that it can be neither read nor changed); message boxes
// answered as the test sets; and an end of the program that stops the routine
// that called it.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "platform/host_services.h"

namespace korvane::testing {

// Thrown by EndProgram. Deliberately unrelated to korvane::Error and
// std::exception, so that no failure handler of the launcher catches it.
struct ProgramEnded {};

struct MessageBox {
  Text text;
  std::optional<Text> title;
  MessageButtons buttons;
  bool operator==(const MessageBox&) const = default;
};

class FakeHost : public HostServices {
 public:
  explicit FakeHost(CallLog& log) : log_(log) {}

  // The scene.
  Text programFolder = u"D:\\App";
  Text currentDirectory = u"C:\\Users\\korvane";
  bool previousInstanceRunning = false;
  MessageAnswer answer = MessageAnswer::kNo;  // to every Yes/No question

  void PutFile(const Text& path, std::string content);
  void RemoveFile(const Text& path);
  void SetLocked(const Text& path);
  // The file's content, or nothing when the path names no file.
  std::optional<std::string> Content(const Text& path) const;
  bool Has(const Text& path) const { return Content(path).has_value(); }

  // The boxes the launcher showed; what it started is in the log.
  std::vector<MessageBox> messages;

  // HostServices.
  Text ProgramFolder() override;
  bool IsPreviousInstanceRunning() override;
  bool FileExists(const Text& path) override;
  void CopyFile(const Text& source, const Text& destination) override;
  void DeleteFile(const Text& path) override;
  void RenameFile(const Text& oldPath, const Text& newPath) override;
  void ReplaceFile(const Text& target, const Text& replacement) override;
  Text CurrentDirectory() override;
  MessageAnswer ShowMessage(const Text& text, const std::optional<Text>& title,
                            MessageButtons buttons) override;
  void StartProcess(const Text& program, const Text& commandLine, int windowStyle) override;
  [[noreturn]] void EndProgram() override;

 private:
  struct File {
    std::string content;
    bool locked = false;
  };
  // The file, raising the platform's error when it is missing or locked.
  File& Unlocked(const Text& path);

  CallLog& log_;
  std::map<Text, File> files_;  // by path in ASCII capitals
};

}  // namespace korvane::testing
