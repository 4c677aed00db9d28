#include "linux/services/host_registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "linux/services/system_error.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

constexpr char16_t kSource[] = u"HostRegistry";
constexpr char kSuffix[] = ".host";

struct Registration {
  int pid = 0;
  Text name;
};

// "pid=<n>\nname=<UTF-8 name>\n"
std::optional<Registration> ReadRegistration(int fd) {
  std::string content;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(content.size()))) > 0) {
    content.append(buffer, static_cast<std::size_t>(got));
  }
  Registration registration;
  bool named = false;
  std::istringstream lines(content);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("pid=", 0) == 0) registration.pid = std::atoi(line.c_str() + 4);
    if (line.rfind("name=", 0) == 0) registration.name = FromUtf8(line.substr(5)), named = true;
  }
  if (!named) return std::nullopt;
  return registration;
}

// The registration in `file` while its owner still holds it.
std::optional<Registration> LiveRegistration(const std::string& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<Registration> result;
  // A shared lock we can take means no owner holds its exclusive one.
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) result = ReadRegistration(fd);
  ::close(fd);
  return result;
}

}  // namespace

std::string HostRegistryFolder() {
  std::string folder;
  if (const char* chosen = std::getenv(kHostRegistryVariable); chosen && chosen[0] == '/') {
    folder = chosen;
  } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
    folder = std::string(runtime) + "/korvane-hosts";
  } else {
    folder = "/tmp/korvane-hosts-" + std::to_string(::getuid());
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    ThrowSystemError(errno, folder, kSource);
  }
  // A folder of someone else's could announce hosts that are not ours.
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0) ThrowSystemError(errno, folder, kSource);
  if (!S_ISDIR(status.st_mode) || status.st_uid != ::getuid()) {
    ThrowSystemError(EPERM, folder, kSource);
  }
  return folder;
}

HostRegistration HostRegistration::Register(const Text& applicationName) {
  const std::string folder = HostRegistryFolder();
  const std::string file = folder + "/" + std::to_string(::getpid()) + kSuffix;
  std::string scratch = folder + "/.registering-XXXXXX";
  const int fd = ::mkostemp(scratch.data(), O_CLOEXEC);
  if (fd < 0) ThrowSystemError(errno, folder, kSource);
  HostRegistration registration(file, fd);
  std::string name = ToUtf8(applicationName);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  const std::string content = "pid=" + std::to_string(::getpid()) + "\nname=" + name + "\n";
  // Locked and written before it has its name, so that it is live from the
  // moment it can be found.
  const bool written =
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
      ::rename(scratch.c_str(), file.c_str()) == 0;
  if (!written) {
    const int error = errno;
    ::unlink(scratch.c_str());
    registration.file_.clear();
    ThrowSystemError(error, file, kSource);
  }
  return registration;
}

HostRegistration::HostRegistration(HostRegistration&& other) noexcept
    : file_(std::move(other.file_)), fd_(std::exchange(other.fd_, -1)) {
  other.file_.clear();
}

HostRegistration::~HostRegistration() {
  if (!file_.empty()) ::unlink(file_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

std::vector<LiveHost> LiveHosts() {
  struct Found {
    LiveHost host;
    struct timespec registered;
  };
  std::vector<Found> found;
  // The non-throwing increment: a registry folder that cannot be read to its
  // end yields the hosts found so far instead of an exception no caller meets.
  std::error_code error;
  for (std::filesystem::directory_iterator it(HostRegistryFolder(), error), end;
       !error && it != end; it.increment(error)) {
    const std::string file = it->path().string();
    if (it->path().extension() != kSuffix) continue;
    const auto registration = LiveRegistration(file);
    struct stat status {};
    if (!registration || ::stat(file.c_str(), &status) != 0) continue;
    found.push_back({{file, registration->pid}, status.st_mtim});
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    if (a.registered.tv_sec != b.registered.tv_sec)
      return a.registered.tv_sec < b.registered.tv_sec;
    if (a.registered.tv_nsec != b.registered.tv_nsec)
      return a.registered.tv_nsec < b.registered.tv_nsec;
    return a.host.file < b.host.file;
  });
  std::vector<LiveHost> hosts;
  for (auto& f : found) hosts.push_back(std::move(f.host));
  return hosts;
}

std::optional<Text> RegisteredApplicationName(const std::string& file) {
  const auto registration = LiveRegistration(file);
  if (!registration) return std::nullopt;
  return registration->name;
}

}  // namespace korvane::linux_edition
