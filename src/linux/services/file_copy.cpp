#include "linux/services/file_copy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "linux/services/scratch_file.h"
#include "linux/services/system_error.h"

namespace korvane::linux_edition {
namespace {

// One request may move up to this much; the kernel copies within itself
// (or shares the blocks, on file systems that can).
constexpr std::size_t kChunk = std::size_t{1} << 30;

// Copies the rest of `in` to `out` by the cheapest means the two files
// allow. Returns 0 or an errno value.
int CopyBytes(int in, int out) {
  bool kernelCopy = true;
  while (kernelCopy) {
    const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
    if (copied == 0) return 0;
    if (copied > 0) continue;
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return errno;
    kernelCopy = false;
  }
  while (true) {
    const ssize_t sent = ::sendfile(out, in, nullptr, kChunk);
    if (sent == 0) return 0;
    if (sent > 0) continue;
    if (errno == EINTR) continue;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    break;
  }
  std::vector<char> buffer(std::size_t{1} << 20);
  while (true) {
    const ssize_t got = ::read(in, buffer.data(), buffer.size());
    if (got == 0) return 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(out, buffer.data() + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno != EINTR) return errno;
      if (put > 0) done += put;
    }
  }
}

}  // namespace

void CopyIntoPlace(int sourceFd, const struct stat& sourceStatus, const std::string& destination,
                   const char16_t* source) {
  ScratchFile scratch(destination, "copying", source);
  const int out = scratch.Descriptor();
  int error = ::lseek(sourceFd, 0, SEEK_SET) < 0 ? errno : CopyBytes(sourceFd, out);
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
