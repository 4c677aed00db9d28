#include "linux/services/posix_host_services.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "linux/services/file_copy.h"
#include "linux/services/file_lock.h"
#include "linux/services/file_stamp.h"
#include "linux/services/process_start.h"
#include "linux/services/rename_without_replacing.h"
#include "linux/services/system_error.h"
#include "linux/services/windows_paths.h"
#include "linux/services/write_hold.h"

namespace korvane::linux_edition {
namespace {

std::string ExecutablePath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) ThrowSystemError(error.value(), "/proc/self/exe", u"ProgramFolder");
  return path.string();
}

// 64-bit FNV-1a: a stable name for the executable's lock file.
std::uint64_t Fingerprint(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

std::string InstanceLockPath(const std::string& executable) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime && runtime[0] == '/' ? runtime : "/tmp";
  char name[64];
  std::snprintf(name, sizeof name, "/korvane-launcher-%u-%016llx.lock", ::getuid(),
                static_cast<unsigned long long>(Fingerprint(executable)));
  return folder + name;
}

// Windows' read-only attribute: no write permission for the owner.
bool IsReadOnly(const struct stat& status) {
  return (status.st_mode & S_IWUSR) == 0;
}

struct stat StatOrThrow(const std::string& path, const char16_t* source) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) ThrowSystemError(errno, path, source);
  return status;
}

// An existing file that a copy may overwrite: not a folder; the lock
// returned keeps others out until the caller is done.
FileLock HoldOverwritable(const std::string& path, const char16_t* source) {
  if (S_ISDIR(StatOrThrow(path, source).st_mode)) ThrowSystemError(EISDIR, path, source);
  return FileLock::Acquire(path, LockKind::kExclusive, source);
}

// An existing file that may be removed or replaced: not read-only either.
FileLock HoldReplaceable(const std::string& path, const char16_t* source) {
  if (IsReadOnly(StatOrThrow(path, source))) ThrowSystemError(EACCES, path, source);
  return HoldOverwritable(path, source);
}

}  // namespace

PosixHostServices::PosixHostServices(MessagePresenter presenter)
    : presenter_(std::move(presenter)) {}

PosixHostServices::~PosixHostServices() = default;  // the instance lock stays held until exit

Text PosixHostServices::ProgramFolder() {
  return ToWindowsPath(std::filesystem::path(ExecutablePath()).parent_path().string());
}

bool PosixHostServices::IsPreviousInstanceRunning() {
  if (instanceLock_ >= 0) return false;
  const std::string path = InstanceLockPath(ExecutablePath());
  // Never through a link someone else has planted in a shared folder.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) ThrowSystemError(errno, path, u"IsPreviousInstanceRunning");
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return true;
    ThrowSystemError(error, path, u"IsPreviousInstanceRunning");
  }
  instanceLock_ = fd;
  return false;
}

bool PosixHostServices::FileExists(const Text& path) {
  if (path.empty()) return false;
  try {
    struct stat status {};
    return ::stat(ToPosixPath(path).c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
  } catch (const Error&) {
    return false;  // a path no drive maps names no file
  }
}

void PosixHostServices::CopyFile(const Text& source, const Text& destination) {
  UnwatchedProgress unwatched;
  CopyFileWithProgress(source, destination, unwatched);
}

void PosixHostServices::CopyFileWithProgress(const Text& source, const Text& destination,
                                             Progress& progress) {
  constexpr char16_t kSource[] = u"CopyFile";
  const std::string from = ToPosixPath(source);
  const std::string to = ToPosixPath(destination);
  const FileLock sourceLock = FileLock::Acquire(from, LockKind::kExclusive, kSource);
  struct stat sourceStatus {};
  if (::fstat(sourceLock.Descriptor(), &sourceStatus) != 0) ThrowSystemError(errno, from, kSource);
  if (S_ISDIR(sourceStatus.st_mode)) ThrowSystemError(EISDIR, from, kSource);
  FileLock destinationLock;
  struct stat existing {};
  if (::stat(to.c_str(), &existing) == 0) destinationLock = HoldOverwritable(to, kSource);
  CopyIntoPlace(sourceLock.Descriptor(), sourceStatus, to, kSource, progress);
}

void PosixHostServices::DeleteFile(const Text& path) {
  const std::string file = ToPosixPath(path);
  const FileLock lock = HoldReplaceable(file, u"DeleteFile");
  if (::unlink(file.c_str()) != 0) ThrowSystemError(errno, file, u"DeleteFile");
}

void PosixHostServices::RenameFile(const Text& oldPath, const Text& newPath) {
  constexpr char16_t kSource[] = u"RenameFile";
  const std::string from = ToPosixPath(oldPath);
  const std::string to = ToPosixPath(newPath);
  // A file open elsewhere keeps its name, as it does on Windows.
  const FileLock lock = FileLock::Acquire(from, LockKind::kExclusive, kSource);
  if (const int error = RenameWithoutReplacing(from, to)) ThrowSystemError(error, from, kSource);
}

void PosixHostServices::ReplaceFile(const Text& target, const Text& replacement,
                                    const Text& /*backup*/) {
  constexpr char16_t kSource[] = u"ReplaceFile";
  const std::string to = ToPosixPath(target);
  const std::string from = ToPosixPath(replacement);
  const FileLock targetLock = HoldReplaceable(to, kSource);
  const FileLock replacementLock = FileLock::Acquire(from, LockKind::kExclusive, kSource);
  if (::rename(from.c_str(), to.c_str()) != 0) ThrowSystemError(errno, from, kSource);
}

FileStamp PosixHostServices::StampOf(const Text& path) {
  return SettledStamp(ToPosixPath(path), u"StampOf");
}

std::unique_ptr<FileHold> PosixHostServices::HoldAgainstWriters(const Text& path) {
  return linux_edition::HoldAgainstWriters(ToPosixPath(path), u"HoldAgainstWriters");
}

void PosixHostServices::MakeWritable(const Text& path) {
  constexpr char16_t kSource[] = u"MakeWritable";
  const std::string file = ToPosixPath(path);
  const struct stat status = StatOrThrow(file, kSource);
  if (::chmod(file.c_str(), (status.st_mode & 07777) | S_IWUSR) != 0) {
    ThrowSystemError(errno, file, kSource);
  }
}

Text PosixHostServices::CurrentDirectory() {
  std::error_code error;
  const auto path = std::filesystem::current_path(error);
  if (error) ThrowSystemError(error.value(), "", u"CurrentDirectory");
  return ToWindowsPath(path.string());
}

MessageAnswer PosixHostServices::ShowMessage(const Text& text, const std::optional<Text>& title,
                                             MessageButtons buttons) {
  return presenter_(text, title.value_or(kApplicationTitle), buttons);
}

void PosixHostServices::StartProcess(const Text& program, const Text& commandLine,
                                     int windowStyle) {
  StartDetachedProcess(program, commandLine, windowStyle);
}

void PosixHostServices::EndProgram() {
  std::fflush(nullptr);
  ::_exit(0);
}

}  // namespace korvane::linux_edition
