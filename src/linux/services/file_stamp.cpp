#include "linux/services/file_stamp.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <thread>

#include "linux/services/system_error.h"

namespace korvane::linux_edition {
namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t Nanoseconds(const struct timespec& time) {
  return std::int64_t{time.tv_sec} * kNanosecondsPerSecond + time.tv_nsec;
}

std::int64_t CoarseNow() {
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return Nanoseconds(now);
}

// A modification time further ahead of the clock than this is not one a
// write in the coming moments can repeat: a later write sets an earlier one.
constexpr std::int64_t kFarAhead = 100'000'000;

}  // namespace

FileStamp StampOfStatus(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
          static_cast<std::uint64_t>(status.st_size), Nanoseconds(status.st_mtim)};
}

FileStamp SettledStamp(const std::string& posixPath, const char16_t* source) {
  struct stat status {};
  if (::stat(posixPath.c_str(), &status) != 0) ThrowSystemError(errno, posixPath, source);
  // The kernel stamps writes with a clock that advances in ticks of a few
  // milliseconds (kernels before 6.13 on every file system): two writes
  // within one tick carry the same time, and a write of the same size right
  // after this stamp would go unseen. Once the clock has passed the file's
  // time, every later write carries a later one.
  const std::int64_t lastWrite = Nanoseconds(status.st_mtim);
  for (std::int64_t now = CoarseNow(); now <= lastWrite && lastWrite - now < kFarAhead;
       now = CoarseNow()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return StampOfStatus(status);
}

}  // namespace korvane::linux_edition
