#include "linux/services/file_copy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

std::string ScratchPatternBeside(const std::string& path, const char* purpose) {
  const std::filesystem::path file(path);
  std::string name(1, '.');
  name.append(file.filename().string()).append(1, '.').append(purpose).append("-XXXXXX");
  return (file.parent_path() / name).string();
}

void CopyIntoPlace(int sourceFd, const struct stat& sourceStatus, const std::string& destination,
                   const char16_t* source) {
  std::string scratch = ScratchPatternBeside(destination, "copy");
  const int out = ::mkostemp(scratch.data(), O_CLOEXEC);
  if (out < 0) ThrowSystemError(errno, destination, source);

  int error = ::lseek(sourceFd, 0, SEEK_SET) < 0 ? errno : CopyBytes(sourceFd, out);
  if (error == 0 && ::fchmod(out, sourceStatus.st_mode & 07777) != 0) error = errno;
  const struct timespec times[2] = {sourceStatus.st_atim, sourceStatus.st_mtim};
  if (error == 0 && ::futimens(out, times) != 0) error = errno;
  if (::close(out) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(scratch.c_str(), destination.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(scratch.c_str());
    ThrowSystemError(error, destination, source);
  }
}

}  // namespace korvane::linux_edition
