#pragma once
// The launcher's platform on Linux: POSIX files and processes behind the
// HostServices seam, with Windows paths mapped by windows_paths.h and "open
// elsewhere" meaning an advisory lock of file_lock.h. Message boxes are left
// to a presenter that the window toolkit supplies.
//
// Error numbers are errno values, descriptions the system's text naming the
// path, sources the operation ("CopyFile").

#include <functional>
#include <string>

#include "linux/services/process_start.h"
#include "platform/host_services.h"
#include "platform/message_titles.h"

namespace korvane::linux_edition {

class PosixHostServices : public HostServices {
 public:
  // Shows a modal box without an icon and returns the button pressed; the
  // title is always given (the application title when the caller has none).
  using MessagePresenter =
      std::function<MessageAnswer(const Text& text, const Text& title, MessageButtons buttons)>;

  explicit PosixHostServices(MessagePresenter presenter);
  ~PosixHostServices() override;

  // The folder of /proc/self/exe as a Windows path.
  Text ProgramFolder() override;
  // Takes an exclusive lock on a lock file named after the executable's path
  // (in $XDG_RUNTIME_DIR, else /tmp) and holds it until the process ends;
  // true when another process holds it already.
  bool IsPreviousInstanceRunning() override;
  // True for an existing file that is not a folder.
  bool FileExists(const Text& path) override;
  // Copies through a scratch file beside the destination that takes the
  // destination's name only when complete (file_copy.h); keeps the source's
  // mode and time, but the copy is always writable.
  void CopyFile(const Text& source, const Text& destination) override;
  // The same copy, reporting after each piece of some megabytes; cancelled,
  // it raises ECANCELED and leaves no scratch file.
  void CopyFileWithProgress(const Text& source, const Text& destination,
                            Progress& progress) override;
  void DeleteFile(const Text& path) override;
  void RenameFile(const Text& oldPath, const Text& newPath) override;
  // One rename(), which the kernel makes atomic: the old file is never
  // parked under `backup`, which stays unused.
  void ReplaceFile(const Text& target, const Text& replacement, const Text& backup) override;
  // Device, inode, size and modification time, taken once any later write
  // would carry a later time (file_stamp.h).
  FileStamp StampOf(const Text& path) override;
  // An exclusive flock() and SQLite's byte locks (write_hold.h).
  std::unique_ptr<FileHold> HoldAgainstWriters(const Text& path) override;
  // Gives the owner write permission, this edition's read-only attribute.
  void MakeWritable(const Text& path) override;
  Text CurrentDirectory() override;
  MessageAnswer ShowMessage(const Text& text, const std::optional<Text>& title,
                            MessageButtons buttons) override;
  // Parses `commandLine` by the Windows rules, maps `program` to POSIX and
  // starts it without a shell in a session of its own, with the arguments
  // after the first and KORVANE_SHOW_WINDOW=<windowStyle> in its environment.
  void StartProcess(const Text& program, const Text& commandLine, int windowStyle) override;
  // Flushes stdio and _exit(0): no destructors, no close events.
  [[noreturn]] void EndProgram() override;

 private:
  MessagePresenter presenter_;
  int instanceLock_ = -1;  // held for the process's life once taken
};

}  // namespace korvane::linux_edition
