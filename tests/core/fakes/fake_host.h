#pragma once
// An in-memory desktop platform: files keyed by Windows path without regard
// to ASCII case, each with its content and whether it is open for writing
// by another user (as Jet opens a shared database: it can still be read and
// copied) or read-only; message boxes answered as the test sets; and an end
// of the program that stops the routine that called it.

#include <functional>
#include <map>
#include <optional>
#include <set>
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
  void SetOpenForWriting(const Text& path) { files_.at(AsciiCapitals(path)).openForWriting = true; }
  void SetReadOnly(const Text& path) { files_.at(AsciiCapitals(path)).readOnly = true; }
  // Another user's write: it lands unless the launcher holds the file
  // against writers.
  void WriteAsAnotherUser(const Text& path, std::string content);
  // The last of another user's writes that landed, by path: what that file
  // must still hold unless the test changed it since.
  std::optional<std::pair<Text, std::string>> landedWrite;

  // What another user does while the launcher copies a file, or right
  // before it replaces one.
  std::function<void()> duringCopy;
  std::function<void()> beforeReplace;

  // ReplaceFile raises halfway, as the platform may: the old file under the
  // backup name, the target's name free.
  bool swapStrands = false;
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
  void CopyFileWithProgress(const Text& source, const Text& destination,
                            Progress& progress) override;
  void DeleteFile(const Text& path) override;
  void RenameFile(const Text& oldPath, const Text& newPath) override;
  void ReplaceFile(const Text& target, const Text& replacement, const Text& backup) override;
  FileStamp StampOf(const Text& path) override;
  std::unique_ptr<FileHold> HoldAgainstWriters(const Text& path) override;
  void MakeWritable(const Text& path) override;
  Text CurrentDirectory() override;
  MessageAnswer ShowMessage(const Text& text, const std::optional<Text>& title,
                            MessageButtons buttons) override;
  void StartProcess(const Text& program, const Text& commandLine, int windowStyle) override;
  [[noreturn]] void EndProgram() override;

 private:
  class Hold;
  struct File {
    std::string content;
    bool openForWriting = false;
    bool readOnly = false;
    std::uint64_t id = 0;      // which file it is, kept by a rename
    std::int64_t version = 0;  // its last write
  };
  // The file, raising the platform's error when it is missing.
  File& Existing(const Text& path);
  // The file, raising also when it is read-only.
  File& Changeable(const Text& path);
  void Put(const Text& path, File file);
  void Write(File& file, std::string content);

  CallLog& log_;
  std::map<Text, File> files_;  // by path in ASCII capitals
  std::set<Text> held_;         // by path in ASCII capitals
  std::uint64_t lastId_ = 0;
  std::int64_t lastWrite_ = 0;
};

}  // namespace korvane::testing
