#include "launcher_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace korvane::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::vector<std::string> Lines(const fs::path& file) {
  std::istringstream in(ReadFile(file));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The caller's environment without a display, drive mappings or a script
// of its own, and everything the runs share kept inside the demo folder.
std::vector<std::string> LauncherEnvironment(const DemoFolder& demo, const std::string& script,
                                             const Environment& extra) {
  Environment env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) env[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "KORVANE_DRIVES"}) env.erase(name);
  env["QT_QPA_PLATFORM"] = "offscreen";
  env["XDG_RUNTIME_DIR"] = demo.RuntimeFolder().string();
  env["XDG_CONFIG_HOME"] = (demo.Root() / "config").string();
  env["KORVANE_UI_SCRIPT"] = script;
  env["KORVANE_HOST_FOLDER"] = KORVANE_HOST_FOLDER_FOR_TESTS;
  env["KORVANE_HOST_REGISTRY"] = demo.HostRegistry().string();
  env["KORVANE_HOST_LOG"] = demo.HostLog().string();
  env["KORVANE_HOST_EXIT_AFTER_MS"] = "60000";  // a safety net: StopHosts ends them long before
  for (const auto& [name, value] : extra) env[name] = value;
  std::vector<std::string> entries;
  for (const auto& [name, value] : env) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<HostStart> ParseHostLog(const DemoFolder& demo) {
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

LauncherProcess::LauncherProcess(const DemoFolder& demo, const std::vector<std::string>& script,
                                 const Environment& extra) {
  static std::atomic<int> runs{0};
  const std::string scriptFile = (demo.Root() / ("script" + std::to_string(++runs))).string();
  {
    std::ofstream out(scriptFile);
    for (const std::string& step : script) out << step << '\n';
  }
  logFile_ = scriptFile + ".log";

  std::vector<std::string> env = LauncherEnvironment(demo, scriptFile, extra);
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);

  const std::string launcher = demo.Launcher().string();
  const std::string errors = scriptFile + ".stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, demo.Program().c_str());
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  char* argv[] = {const_cast<char*>(launcher.c_str()), nullptr};
  const int failed = posix_spawn(&pid_, launcher.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("the launcher could not be started");
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
  const auto deadline = Clock::now() + 30s;
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      status = -1;
      break;
    }
    std::this_thread::sleep_for(10ms);
  }
  pid_ = -1;
  return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, Lines(logFile_)};
}

bool LauncherProcess::WaitForLogLine(const std::string& line) {
  for (const auto deadline = Clock::now() + 30s; Clock::now() < deadline;) {
    for (const std::string& logged : Lines(logFile_)) {
      if (logged == line) return true;
    }
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

Outcome RunLauncher(const DemoFolder& demo, const std::vector<std::string>& script,
                    const Environment& extra) {
  return LauncherProcess(demo, script, extra).Finish();
}

std::vector<HostStart> WaitForHostStarts(const DemoFolder& demo, std::size_t count) {
  const auto deadline = Clock::now() + 10s;
  for (;;) {
    auto starts = ParseHostLog(demo);
    std::size_t finished = 0;
    for (const HostStart& start : starts) finished += start.outcome.empty() ? 0 : 1;
    if (finished >= count || Clock::now() > deadline) return starts;
    std::this_thread::sleep_for(10ms);
  }
}

std::vector<HostStart> HostStartsAfterPause(const DemoFolder& demo) {
  std::this_thread::sleep_for(500ms);
  return ParseHostLog(demo);
}

void StopHosts(const DemoFolder& demo) {
  for (const HostStart& start : ParseHostLog(demo)) ::kill(start.pid, SIGKILL);
}

}  // namespace korvane::e2e
