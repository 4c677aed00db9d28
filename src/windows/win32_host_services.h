#pragma once
// The host services on Win32: files, the current directory, processes,
// message boxes and the previous-instance check.

#include "platform/host_services.h"
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

class Win32HostServices final : public HostServices {
 public:
  Win32HostServices() = default;
  Win32HostServices(const Win32HostServices&) = delete;
  Win32HostServices& operator=(const Win32HostServices&) = delete;
  ~Win32HostServices() override;

  // The window that owns message boxes; none until the main window exists.
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

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
  HWND owner_ = nullptr;
  // Held for the life of the process: while it is open, later copies see it.
  HANDLE instanceMutex_ = nullptr;
};

}  // namespace korvane::windows
