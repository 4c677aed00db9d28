#include "windows/file_hold.h"

#include <cstdint>
#include <utility>

#include "windows/unique_handle.h"
#include "windows/wide_text.h"
#include "windows/win32.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

std::uint64_t Joined(DWORD high, DWORD low) {
  return (std::uint64_t{high} << 32) | low;
}

// The identity, size and last write that the file system reports for an
// open file.
FileStamp StampOfHandle(HANDLE file, const char16_t* operation) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) throw LastError(operation);
  return {info.dwVolumeSerialNumber, Joined(info.nFileIndexHigh, info.nFileIndexLow),
          Joined(info.nFileSizeHigh, info.nFileSizeLow),
          static_cast<std::int64_t>(
              Joined(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}

UniqueHandle OpenExisting(const Text& path, DWORD access, DWORD sharing,
                          const char16_t* operation) {
  const HANDLE file =
      CreateFileW(AsWidePath(path, operation), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw LastError(operation);
  return UniqueHandle(file);
}

class Win32FileHold final : public FileHold {
 public:
  explicit Win32FileHold(UniqueHandle file) : file_(std::move(file)) {}
  // Read through the held handle, so that it is the stamp of the very file
  // held.
  FileStamp Stamp() override { return StampOfHandle(file_.get(), u"FileHold.Stamp"); }

 private:
  UniqueHandle file_;
};

}  // namespace

FileStamp StampOfFile(const Text& path) {
  constexpr char16_t kOperation[] = u"StampOf";
  const UniqueHandle file =
      OpenExisting(path, FILE_READ_ATTRIBUTES,
                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, kOperation);
  return StampOfHandle(file.get(), kOperation);
}

std::unique_ptr<FileHold> HoldFileAgainstWriters(const Text& path) {
  return std::make_unique<Win32FileHold>(
      OpenExisting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, u"HoldAgainstWriters"));
}

}  // namespace korvane::windows
