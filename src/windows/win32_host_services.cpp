#include "windows/win32_host_services.h"

#include <cstdint>
#include <vector>

#include "shell/main_window.h"
#include "windows/file_hold.h"
#include "windows/wait_cursor.h"
#include "windows/wide_text.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

constexpr char16_t kMutexPrefix[] = u"Local\\TessalyKorvane ";
// Kernel object names are limited to MAX_PATH characters.
constexpr std::size_t kLongestObjectName = MAX_PATH - 1;

Text Digest(const Text& text) {
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (char16_t c : text) {
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  }
  return HexCode(static_cast<std::uint32_t>(hash >> 32)) +
         HexCode(static_cast<std::uint32_t>(hash)).substr(2);
}

// The copy's progress routine: CopyFileExW tells it the bytes copied so far
// after each chunk; PROGRESS_CANCEL stops the copy.
DWORD CALLBACK ReportCopied(LARGE_INTEGER total, LARGE_INTEGER done, LARGE_INTEGER, LARGE_INTEGER,
                            DWORD, DWORD, HANDLE, HANDLE, LPVOID progress) {
  return static_cast<Progress*>(progress)->Advance(static_cast<std::uint64_t>(done.QuadPart),
                                                   static_cast<std::uint64_t>(total.QuadPart))
             ? PROGRESS_CONTINUE
             : PROGRESS_CANCEL;
}

// CopyFileExW refuses to overwrite a file with either of these.
constexpr DWORD kRefusesOverwrite = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

bool HasAny(DWORD attributes, DWORD wanted) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & wanted);
}

// Clears an existing file's read-only attribute; raises when the file is
// missing or the attribute stays.
void ClearReadOnly(const wchar_t* path, const char16_t* operation) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) throw LastError(operation);
  if (HasAny(attributes, FILE_ATTRIBUTE_READONLY) &&
      !SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY)) {
    throw LastError(operation);
  }
}

// File systems that cannot replace a file in one call (some network shares)
// refuse it with one of these.
bool RefusesReplacement(DWORD error) {
  return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
         error == ERROR_INVALID_PARAMETER;
}

// A path without its last backslash and name; a drive root keeps its
// backslash ("C:\").
Text FolderOf(const Text& path) {
  const auto slash = path.find_last_of(u'\\');
  if (slash == Text::npos) return Text();
  if (slash == 2 && path.size() > 1 && path[1] == u':') return path.substr(0, 3);
  return path.substr(0, slash);
}

}  // namespace

Text PreviousInstanceMutexName(const Text& exePath) {
  Text name = exePath;
  if (!name.empty()) {
    CharUpperBuffW(reinterpret_cast<wchar_t*>(name.data()), static_cast<DWORD>(name.size()));
  }
  for (char16_t& c : name) {
    if (c == u'\\' || c == u':') c = u'/';
  }
  Text full = kMutexPrefix + name;
  if (full.size() > kLongestObjectName) full = kMutexPrefix + Digest(name);
  return full;
}

Text ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) throw LastError(u"ProgramFolder");
    if (length < buffer.size()) return FromWide(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

Text Win32HostServices::ProgramFolder() {
  return FolderOf(ExecutablePath());
}

bool Win32HostServices::IsPreviousInstanceRunning() {
  if (instanceMutex_) return false;  // this copy already holds the name
  const Text name = PreviousInstanceMutexName(ExecutablePath());
  UniqueHandle mutex(CreateMutexW(nullptr, TRUE, AsWide(name)));
  const DWORD error = GetLastError();
  if (!mutex) {
    // A copy started by another account holds the mutex with its own rights.
    if (error == ERROR_ACCESS_DENIED) return true;
    throw ErrorFromCode(error, u"IsPreviousInstanceRunning");
  }
  if (error == ERROR_ALREADY_EXISTS) return true;
  instanceMutex_ = std::move(mutex);
  return false;
}

bool Win32HostServices::FileExists(const Text& path) {
  if (path.empty() || path.find(u'\0') != Text::npos) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(AsWide(path), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

void Win32HostServices::CopyFile(const Text& source, const Text& destination) {
  UnwatchedProgress unwatched;
  CopyFileWithProgress(source, destination, unwatched);
}

void Win32HostServices::CopyFileWithProgress(const Text& source, const Text& destination,
                                             Progress& progress) {
  constexpr char16_t kOperation[] = u"CopyFile";
  const wchar_t* from = AsWidePath(source, kOperation);
  const wchar_t* to = AsWidePath(destination, kOperation);
  WaitCursor busy;
  // The launcher writes over its copies later, so they are always writable.
  // CopyFileExW refuses to overwrite a read-only or hidden file, and hands
  // the source's attributes, read-only included, on to the copy.
  const DWORD before = GetFileAttributesW(to);
  const bool cleared = HasAny(before, kRefusesOverwrite);
  if (cleared && !SetFileAttributesW(to, before & ~kRefusesOverwrite)) throw LastError(kOperation);
  // Cancelled, the copy removes what it wrote and fails with
  // ERROR_REQUEST_ABORTED, like any other failed copy.
  if (!calls_.copyFile(from, to, &ReportCopied, &progress, nullptr, 0)) {
    const Error error = LastError(kOperation);
    if (cleared) SetFileAttributesW(to, before);  // left as it was
    throw error;
  }
  ClearReadOnly(to, kOperation);
}

void Win32HostServices::DeleteFile(const Text& path) {
  constexpr char16_t kOperation[] = u"DeleteFile";
  if (!DeleteFileW(AsWidePath(path, kOperation))) throw LastError(kOperation);
}

void Win32HostServices::RenameFile(const Text& oldPath, const Text& newPath) {
  constexpr char16_t kOperation[] = u"RenameFile";
  // Without MOVEFILE_REPLACE_EXISTING the move fails when newPath exists.
  if (!MoveFileW(AsWidePath(oldPath, kOperation), AsWidePath(newPath, kOperation))) {
    throw LastError(kOperation);
  }
}

void Win32HostServices::ReplaceFile(const Text& target, const Text& replacement,
                                    const Text& backup) {
  constexpr char16_t kOperation[] = u"ReplaceFile";
  const wchar_t* targetPath = AsWidePath(target, kOperation);
  const wchar_t* replacementPath = AsWidePath(replacement, kOperation);
  const wchar_t* backupPath = AsWidePath(backup, kOperation);
  if (calls_.replaceFile(targetPath, replacementPath, backupPath, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr)) {
    return;  // the old file lies under the backup name
  }
  const DWORD error = GetLastError();
  // With a backup name, every failure but this one leaves both files under
  // their own names (ERROR_UNABLE_TO_REMOVE_REPLACED and
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT included). This one leaves the old file
  // under the backup name and the replacement under its own, and the
  // target's name empty: the old file goes back, or where it cannot, the
  // replacement finishes the swap. MoveFileW never overwrites, so neither
  // takes a name that another file has taken meanwhile.
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    if (MoveFileW(backupPath, targetPath)) throw ErrorFromCode(error, kOperation);
    if (MoveFileW(replacementPath, targetPath)) return;
    throw ErrorFromCode(error, kOperation);
  }
  if (!RefusesReplacement(error)) throw ErrorFromCode(error, kOperation);
  // A move over the old file is still one step there. It keeps the rules of
  // the replacement: a missing target is not created, a read-only one stays.
  const DWORD targetAttributes = GetFileAttributesW(targetPath);
  if (targetAttributes == INVALID_FILE_ATTRIBUTES) throw LastError(kOperation);
  if (HasAny(targetAttributes, FILE_ATTRIBUTE_READONLY)) {
    throw ErrorFromCode(ERROR_ACCESS_DENIED, kOperation);
  }
  if (!MoveFileExW(replacementPath, targetPath,
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw LastError(kOperation);
  }
}

FileStamp Win32HostServices::StampOf(const Text& path) {
  return StampOfFile(path);
}

std::unique_ptr<FileHold> Win32HostServices::HoldAgainstWriters(const Text& path) {
  return HoldFileAgainstWriters(path);
}

void Win32HostServices::MakeWritable(const Text& path) {
  constexpr char16_t kOperation[] = u"MakeWritable";
  ClearReadOnly(AsWidePath(path, kOperation), kOperation);
}

Text Win32HostServices::CurrentDirectory() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) throw LastError(u"CurrentDirectory");
    if (length < buffer.size()) {
      Text folder = FromWide(std::wstring_view(buffer.data(), length));
      // Only a drive root ("C:\") keeps its trailing backslash.
      if (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
      return folder;
    }
    buffer.resize(length);
  }
}

MessageAnswer Win32HostServices::ShowMessage(const Text& text, const std::optional<Text>& title,
                                             MessageButtons buttons) {
  // The launch hides the main window before its boxes appear: a box owned
  // by a hidden window would otherwise open behind whatever is in front.
  const UINT style =
      MB_SETFOREGROUND | (buttons == MessageButtons::kOk ? MB_OK : (MB_YESNO | MB_DEFBUTTON2));
  const Text caption = title ? *title : Text(kApplicationTitle);
  const int answer = calls_.messageBox(owner_, AsWide(text), AsWide(caption), style);
  if (answer == 0) throw LastError(u"ShowMessage");
  return static_cast<MessageAnswer>(answer);
}

void Win32HostServices::StartProcess(const Text& program, const Text& commandLine,
                                     int windowStyle) {
  constexpr char16_t kOperation[] = u"StartProcess";
  const wchar_t* application = AsWidePath(program, kOperation);
  RefuseEmbeddedNul(commandLine, kOperation);
  // CreateProcessW may write into the command line, so it gets a copy.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw LastError(kOperation);
  }
  // Nothing waits for the new process: its handles go at once.
  const UniqueHandle thread(process.hThread);
  const UniqueHandle started(process.hProcess);
}

void Win32HostServices::EndProgram() {
  if (releaseAtEnd_) releaseAtEnd_();
  ExitProcess(0);
}

}  // namespace korvane::windows
