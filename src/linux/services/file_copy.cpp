#include "linux/services/file_copy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

#include "linux/services/scratch_file.h"
#include "linux/services/system_error.h"

namespace korvane::linux_edition {
namespace {

using Clock = std::chrono::steady_clock;

// The bytes copied between two reports of progress. Pieces start small and
// double while one takes under 50 ms, up to 64 MiB: a few tens of
// milliseconds on a local disk, where the kernel then copies at full speed
// (or shares the blocks, on file systems that can). They halve while one
// takes over 100 ms, so that on a slow share the progress box stays
// painted and hears Cancel.
constexpr std::size_t kSmallestPiece = std::size_t{1} << 20;
constexpr std::size_t kLargestPiece = std::size_t{64} << 20;
constexpr auto kQuickPiece = std::chrono::milliseconds(50);
constexpr auto kSlowPiece = std::chrono::milliseconds(100);
constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// The size of the piece after one of `size` that took `took`.
std::size_t NextPieceSize(std::size_t size, Clock::duration took) {
  if (took < kQuickPiece) return std::min(size * 2, kLargestPiece);
  if (took > kSlowPiece) return std::max(size / 2, kSmallestPiece);
  return size;
}

// The ways of moving bytes between two files, cheapest first; a file pair
// that refuses one falls back to the next for the rest of the copy.
enum class Means { kKernelCopy, kSendFile, kReadWrite };

bool RefusesKernelCopy(int error) {
  return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

bool RefusesSendFile(int error) {
  return error == EINVAL || error == ENOSYS;
}

// Reads once and writes all that was read. Returns the bytes moved, or -1
// with errno set.
ssize_t ReadAndWrite(int in, int out, std::size_t length, std::vector<char>& buffer) {
  buffer.resize(kBufferSize);
  const ssize_t got = ::read(in, buffer.data(), std::min(length, buffer.size()));
  for (ssize_t done = 0; done < got;) {
    const ssize_t put = ::write(out, buffer.data() + done, static_cast<std::size_t>(got - done));
    if (put < 0 && errno != EINTR) return -1;
    if (put > 0) done += put;
  }
  return got;
}

// One move of at most `length` bytes of `in` to `out` at their offsets.
// Returns the bytes moved (0 at the end of `in`), or -errno.
ssize_t MoveSome(int in, int out, std::size_t length, Means& means, std::vector<char>& buffer) {
  while (true) {
    ssize_t moved = 0;
    if (means == Means::kKernelCopy) {
      moved = ::copy_file_range(in, nullptr, out, nullptr, length, 0);
      if (moved < 0 && RefusesKernelCopy(errno)) {
        means = Means::kSendFile;
        continue;
      }
    } else if (means == Means::kSendFile) {
      moved = ::sendfile(out, in, nullptr, length);
      if (moved < 0 && RefusesSendFile(errno)) {
        means = Means::kReadWrite;
        continue;
      }
    } else {
      moved = ReadAndWrite(in, out, length, buffer);
    }
    if (moved >= 0) return moved;
    if (errno != EINTR) return -errno;
  }
}

// Copies the rest of `in` to `out` a piece at a time, reporting after each.
// Returns 0 or an errno value: ECANCELED when the user cancelled.
int CopyBytes(int in, int out, std::uint64_t total, Progress& progress) {
  Means means = Means::kKernelCopy;
  std::vector<char> buffer;
  std::uint64_t done = 0;
  std::size_t pieceSize = kSmallestPiece;
  if (!progress.Advance(done, total)) return ECANCELED;
  while (true) {
    const Clock::time_point began = Clock::now();
    std::size_t piece = 0;
    ssize_t moved = 1;
    while (piece < pieceSize && moved > 0) {
      moved = MoveSome(in, out, pieceSize - piece, means, buffer);
      if (moved < 0) return static_cast<int>(-moved);
      piece += static_cast<std::size_t>(moved);
    }
    pieceSize = NextPieceSize(pieceSize, Clock::now() - began);
    done += piece;
    if (!progress.Advance(done, total)) return ECANCELED;
    if (moved == 0) return 0;
  }
}

}  // namespace

void CopyIntoPlace(int sourceFd, const struct stat& sourceStatus, const std::string& destination,
                   const char16_t* source, Progress& progress) {
  ScratchFile scratch(destination, "copying", source);
  const int out = scratch.Descriptor();
  const auto total = static_cast<std::uint64_t>(sourceStatus.st_size);
  int error =
      ::lseek(sourceFd, 0, SEEK_SET) < 0 ? errno : CopyBytes(sourceFd, out, total, progress);
  if (error == 0 && ::fchmod(out, (sourceStatus.st_mode & 07777) | S_IWUSR) != 0) error = errno;
  const struct timespec times[2] = {sourceStatus.st_atim, sourceStatus.st_mtim};
  if (error == 0 && ::futimens(out, times) != 0) error = errno;
  const int closed = scratch.Close();
  if (error == 0) error = closed;
  if (error == 0 && ::rename(scratch.Path().c_str(), destination.c_str()) != 0) error = errno;
  if (error != 0) ThrowSystemError(error, destination, source);
  scratch.Kept();
}

}  // namespace korvane::linux_edition
