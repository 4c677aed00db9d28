#pragma once
// The host services on Win32: files, the current directory, processes,
// message boxes, the previous-instance check and the end of the program.

#include <functional>

#include "platform/host_services.h"
#include "windows/unique_handle.h"
#include "windows/win32.h"

namespace korvane::windows {

// The name of the mutex by which copies of the executable at `exePath` find
// each other. Kernel object names may not hold backslashes, and colons are
// replaced as well; the path is upper-cased because the file system does not
// tell "C:\App" from "c:\app". A path too long for an object name is
// replaced by a digest of itself.
Text PreviousInstanceMutexName(const Text& exePath);

// The full path of the running executable.
Text ExecutablePath();

// The system calls the host services make where a test has to watch or
// steer them, or make them answer as Windows does where Wine answers
// otherwise: the copy (Wine's never reports its progress), the one-step
// replacement and the message box.
struct HostSystemCalls {
  std::function<BOOL(LPCWSTR, LPCWSTR, LPPROGRESS_ROUTINE, LPVOID, LPBOOL, DWORD)> copyFile =
      &CopyFileExW;
  std::function<int(HWND, LPCWSTR, LPCWSTR, UINT)> messageBox = &MessageBoxW;
  std::function<BOOL(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID)> replaceFile = &ReplaceFileW;
};

class Win32HostServices final : public HostServices {
 public:
  explicit Win32HostServices(HostSystemCalls calls = {}) : calls_(std::move(calls)) {}
  Win32HostServices(const Win32HostServices&) = delete;
  Win32HostServices& operator=(const Win32HostServices&) = delete;

  // The window that owns message boxes; none until the main window exists.
  void SetOwnerWindow(HWND owner) { owner_ = owner; }
  // What EndProgram releases before the process ends: objects whose other
  // end would outlive the launcher (the Access instance it started) and COM.
  // Nothing else of the launcher runs at its end.
  void SetReleaseAtEnd(std::function<void()> release) { releaseAtEnd_ = std::move(release); }

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
  HostSystemCalls calls_;
  HWND owner_ = nullptr;
  std::function<void()> releaseAtEnd_;
  // Held for the life of the process: while it is open, later copies see it.
  UniqueHandle instanceMutex_;
};

}  // namespace korvane::windows
