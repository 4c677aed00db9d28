#include "linux/access/host_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {

HostLog::HostLog() {
  if (const char* file = std::getenv(kHostLogVariable)) file_ = file;
}

void HostLog::Write(const std::string& key, const Text& value) const {
  if (file_.empty()) return;
  std::string line = ToUtf8(value);
  std::replace(line.begin(), line.end(), '\n', ' ');
  line = key + "=" + line + "\n";
  // One write with O_APPEND: lines of hosts running side by side never mix.
  const int fd = ::open(file_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
  ::close(fd);
}

}  // namespace korvane::linux_edition
