#include "launcher_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Lines(const std::string& file) {
  std::istringstream in(ReadFile(file));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<HostStart> ParseHostLog(const LauncherScene& demo) {
  std::vector<HostStart> starts;
  for (const std::string& line : Lines(demo.HostLog())) {
    const auto equals = line.find('=');
    const std::string key = line.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
    if (key == "start") {
      starts.push_back({std::stoi(value), {}, {}, {}});
    } else if (starts.empty()) {
      continue;
    } else if (key == "arg") {
      starts.back().arguments.push_back(value);
    } else if (key == "show") {
      starts.back().show = value;
    } else if (key == "opened" || key == "refused") {
      starts.back().outcome = line;
    }
  }
  return starts;
}

}  // namespace

LauncherProcess::LauncherProcess(const LauncherScene& demo, const std::vector<std::string>& script,
                                 const Environment& extra) {
  static int runs = 0;
  std::string steps;
  for (const std::string& step : script) steps += step + '\n';
  const std::string scriptFile = demo.folder.Make("script" + std::to_string(++runs), steps);
  logFile_ = scriptFile + ".log";
  std::fflush(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("the launcher could not be started");
  if (pid_ > 0) return;
  // The caller's environment without a display or drive mappings, and
  // everything the runs share kept inside the scene's folder.
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "KORVANE_DRIVES"}) ::unsetenv(name);
  Environment env = extra;
  env.insert({{"QT_QPA_PLATFORM", "offscreen"},
              {"XDG_RUNTIME_DIR", demo.folder.File("runtime")},
              {"XDG_CONFIG_HOME", demo.folder.File("config")},
              {"KORVANE_UI_SCRIPT", scriptFile},
              {"KORVANE_HOST_FOLDER", KORVANE_HOST_FOLDER_FOR_TESTS},
              {"KORVANE_HOST_REGISTRY", demo.folder.File("runtime/hosts")},
              {"KORVANE_HOST_LOG", demo.HostLog()},
              // A safety net: StopHosts ends them long before.
              {"KORVANE_HOST_EXIT_AFTER_MS", "60000"}});
  for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
  const std::string launcher = demo.App("TessalyKorvane");
  if (::chdir(demo.folder.File("app").c_str()) == 0 &&
      std::freopen((scriptFile + ".stderr").c_str(), "w", stderr) &&
      std::freopen("/dev/null", "w", stdout)) {
    ::execl(launcher.c_str(), launcher.c_str(), nullptr);
  }
  ::_exit(127);
}

LauncherProcess::~LauncherProcess() {
  Kill();
}

bool LauncherProcess::Running() const {
  siginfo_t info{};
  return pid_ > 0 &&
         ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == 0;
}

void LauncherProcess::Kill() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
}

Outcome LauncherProcess::Finish() {
  int status = 0;
  const bool ended = Eventually([&] { return ::waitpid(pid_, &status, WNOHANG) != 0; }, 30s);
  if (ended) pid_ = -1;
  Kill();
  return {ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1, Lines(logFile_)};
}

bool LauncherProcess::WaitForLogLine(const std::string& line) {
  return Eventually(
      [&] {
        const auto lines = Lines(logFile_);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
      },
      30s);
}

Outcome RunLauncher(const LauncherScene& demo, const std::vector<std::string>& script,
                    const Environment& extra) {
  return LauncherProcess(demo, script, extra).Finish();
}

std::vector<HostStart> WaitForHostStarts(const LauncherScene& demo, std::size_t count) {
  std::vector<HostStart> starts;
  Eventually(
      [&] {
        starts = ParseHostLog(demo);
        return std::count_if(starts.begin(), starts.end(), [](const HostStart& start) {
                 return !start.outcome.empty();
               }) >= static_cast<std::ptrdiff_t>(count);
      },
      10s);
  return starts;
}

std::vector<HostStart> HostStartsAfterPause(const LauncherScene& demo) {
  std::this_thread::sleep_for(500ms);
  return ParseHostLog(demo);
}

void StopHosts(const LauncherScene& demo) {
  for (const HostStart& start : ParseHostLog(demo)) ::kill(start.pid, SIGKILL);
}

}  // namespace korvane::e2e
