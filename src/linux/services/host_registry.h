#pragma once
// The running-object table of the Linux edition: a running Access stand-in
// registers itself as the active "Access.Application" by a file in the
// registry folder (KORVANE_HOST_REGISTRY, else $XDG_RUNTIME_DIR/korvane-hosts,
// else /tmp/korvane-hosts-<uid>) holding its process id and application
// name. It keeps an exclusive lock on that file while it runs, so the file of
// a process that died is not live even when it is left behind.

#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

inline constexpr char kHostRegistryVariable[] = "KORVANE_HOST_REGISTRY";

// The registry folder, created (mode 0700) when missing.
std::string HostRegistryFolder();

// This process's registration, live until destroyed.
class HostRegistration {
 public:
  // Writes the file completely before it becomes visible under its name.
  static HostRegistration Register(const Text& applicationName);

  HostRegistration(HostRegistration&& other) noexcept;
  HostRegistration& operator=(HostRegistration&&) = delete;
  HostRegistration(const HostRegistration&) = delete;
  ~HostRegistration();  // removes the file, then releases the lock

  const std::string& File() const { return file_; }

 private:
  HostRegistration(std::string file, int fd) : file_(std::move(file)), fd_(fd) {}
  std::string file_;
  int fd_ = -1;
};

struct LiveHost {
  std::string file;
  int pid = 0;
};

// The live registrations, earliest first.
std::vector<LiveHost> LiveHosts();

// The application name in a registration; nothing when the file is gone or
// no longer live.
std::optional<Text> RegisteredApplicationName(const std::string& file);

}  // namespace korvane::linux_edition
