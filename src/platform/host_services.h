#pragma once
// The one seam between the launcher and the desktop platform: files,
// processes, message boxes and the end of the program. Paths are Windows paths
// ("D:\App\系统前端.mde"). Every failing operation raises korvane::Error.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/progress.h"
#include "platform/text.h"

namespace korvane {

enum class MessageButtons {
  kOk,             // OK only
  kYesNoDefaultNo  // Yes and No, No being the default button
};

// The button that closed a message box, numbered as the platform numbers it.
enum class MessageAnswer : int { kOk = 1, kYes = 6, kNo = 7 };

// Window style for StartProcess: maximised, with focus.
inline constexpr int kShowMaximized = 3;

// Which file a path names and the state it is in: the file system's
// identity of the file (volume and file number), its size and its last
// write. Two stamps of one path are equal only while no write reached the
// file and no other file took its name, as far as the file system records
// writes.
struct FileStamp {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  std::int64_t lastWrite = 0;
  bool operator==(const FileStamp&) const = default;
};

// A file held so that no other program can write it or open it for writing
// while the hold lasts. Other readers are admitted, and so are the
// launcher's own copy of the file and its replacement by ReplaceFile. The
// hold ends when the object is destroyed.
class FileHold {
 public:
  virtual ~FileHold() = default;
  // The held file's stamp.
  virtual FileStamp Stamp() = 0;
};

class HostServices {
 public:
  virtual ~HostServices() = default;

  // Folder of the launcher's executable, without a trailing backslash except
  // at a drive root, where it is three characters ending in one ("C:\").
  virtual Text ProgramFolder() = 0;

  // True when another copy of the same executable is already running.
  virtual bool IsPreviousInstanceRunning() = 0;

  // True when a directory search for the path yields a name; false for the
  // empty path. Never raises for a path that merely does not exist.
  virtual bool FileExists(const Text& path) = 0;

  // Copies the file, overwriting an existing destination; raises when the
  // source is missing or either file is locked. The copy is always writable,
  // whatever the source's attributes; a read-only destination is overwritten
  // too. A failed copy leaves no partial destination behind where the
  // platform allows it.
  virtual void CopyFile(const Text& source, const Text& destination) = 0;

  // CopyFile, telling `progress` the bytes copied as it goes. When the user
  // cancels, the copy stops and raises, leaving the destination as a failed
  // copy leaves it.
  virtual void CopyFileWithProgress(const Text& source, const Text& destination,
                                    Progress& progress) = 0;

  // Deletes the file; raises when it is missing, read-only or locked.
  virtual void DeleteFile(const Text& path) = 0;

  // Renames; raises when newPath exists or oldPath is missing.
  virtual void RenameFile(const Text& oldPath, const Text& newPath) = 0;

  // Puts `replacement` in the place of the existing file `target` in one
  // step, so that the name `target` holds at every moment either the old or
  // the new file; `replacement` is gone afterwards. `backup`, a name in
  // target's folder that names no file, is where the platform may keep the
  // old file on the way: afterwards it is free again or holds the old file,
  // for the caller to remove. Raises when `target` is missing, read-only or
  // locked, or `replacement` is missing; both files then keep their names,
  // except where the platform could neither finish nor undo the swap: then
  // the old file lies under `backup`, the replacement under its own name and
  // the target's name is free.
  virtual void ReplaceFile(const Text& target, const Text& replacement, const Text& backup) = 0;

  // The file's stamp; raises when it is missing.
  virtual FileStamp StampOf(const Text& path) = 0;

  // Holds the file against writers (see FileHold); raises when it is
  // missing, or another program has it open for writing or holds it alone.
  virtual std::unique_ptr<FileHold> HoldAgainstWriters(const Text& path) = 0;

  // Clears the file's read-only attribute, so that it can be replaced or
  // removed; raises when it is missing or the attribute cannot be cleared.
  virtual void MakeWritable(const Text& path) = 0;

  // The process's current directory, without a trailing backslash except at
  // a drive root.
  virtual Text CurrentDirectory() = 0;

  // Modal message box without an icon, owned by the main window; without a
  // title it shows the application title "TessalyKorvane". Returns the button
  // pressed.
  virtual MessageAnswer ShowMessage(const Text& text, const std::optional<Text>& title,
                                    MessageButtons buttons) = 0;

  // Starts `program` (its full path) with the command line `commandLine`,
  // unchanged, and returns at once; `windowStyle` 3 means maximised, with
  // focus. Raises when the program cannot be started.
  virtual void StartProcess(const Text& program, const Text& commandLine, int windowStyle) = 0;

  // Ends the launcher at once: no further code of the launcher runs and no
  // close events are raised. Never returns.
  [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace korvane
