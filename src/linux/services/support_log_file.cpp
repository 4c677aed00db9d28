#include "linux/services/support_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

// Every missing folder on the way to `file`, as the XDG rules ask: 0700.
void MakeFoldersFor(const std::string& file) {
  for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
       slash = file.find('/', slash + 1)) {
    ::mkdir(file.substr(0, slash).c_str(), 0700);
  }
}

std::string Record(const Text& line) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char time[32] = "";
  if (::localtime_r(&now, &local)) std::strftime(time, sizeof time, "%Y-%m-%d %H:%M:%S", &local);
  return time + ('\t' + ToUtf8(line)) + '\n';
}

}  // namespace

std::string SupportLogPath(const char* stateHome, const char* home) {
  constexpr char kLog[] = "/tessalykorvane/launcher.log";
  if (stateHome && stateHome[0] == '/') return stateHome + std::string(kLog);
  if (home && home[0] == '/') return home + std::string("/.local/state") + kLog;
  return {};
}

SupportLogFile::SupportLogFile(std::string path) : path_(std::move(path)) {}

int SupportLogFile::Open() const {
  // Never through a link planted in the log's place.
  return ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
}

void SupportLogFile::Append(const Text& line) noexcept {
  if (path_.empty()) return;
  try {
    const std::string record = Record(line);
    int fd = Open();
    if (fd < 0 && errno == ENOENT) {
      MakeFoldersFor(path_);
      fd = Open();
    }
    if (fd < 0) return;
    struct stat status {};
    if (::fstat(fd, &status) == 0 &&
        static_cast<std::uint64_t>(status.st_size) > kSupportLogLimit) {
      ::close(fd);
      ::rename(path_.c_str(), (path_ + ".old").c_str());
      fd = Open();
      if (fd < 0) return;
    }
    // One write: the record is never interleaved with another's.
    [[maybe_unused]] const ssize_t written = ::write(fd, record.data(), record.size());
    ::close(fd);
  } catch (...) {
    // Only memory can run out here; the record is lost.
  }
}

}  // namespace korvane::linux_edition
