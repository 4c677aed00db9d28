#pragma once
// Running the demo's launcher as the user does, steered by a UI script
// (src/linux/ui/ui_script.h), and reading what the Access stand-in it
// started recorded.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace korvane::e2e {

// Asks `done` every millisecond until it holds or half a minute has passed;
// whether it held.
template <class Done>
bool Eventually(Done done) {
  for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
       std::chrono::steady_clock::now() < deadline;
       std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
    if (done()) return true;
  }
  return false;
}

struct LauncherScene;

// What the launcher showed, one line per event, as the UI script logs it.
struct Outcome {
  int exitCode = -1;  // -1: killed after the time limit
  std::vector<std::string> log;
};

// The first line of every run whose window is shown.
inline const std::string kShown =
    "shown "
    "TessalyKorvane|592x407|数据操作前端|压缩后端数据|备份后端数据|调阅档案数据|帮助|关闭窗口";

// Variables set for one run, beyond those every run has.
using Environment = std::vector<std::pair<std::string, std::string>>;

// The share slows every copy down (slow_share.cpp): a backup of the grown
// back-end lasts seconds.
Environment SlowShare();

class LauncherProcess {
 public:
  // Starts the demo's launcher in its folder on Qt's offscreen platform,
  // as a user: without root's power to write what is read-only.
  LauncherProcess(const LauncherScene& demo, const std::vector<std::string>& script,
                  const Environment& environment = {});
  ~LauncherProcess();  // kills the launcher if it still runs

  // Waits for the launcher to end (30 s at most, then kills it).
  Outcome Finish();
  // What the launcher has shown so far.
  std::vector<std::string> Log() const;
  // Ends the launcher at once with SIGKILL, as a crash would.
  void Kill();

 private:
  std::string logFile_;
  pid_t pid_ = -1;
};

Outcome RunLauncher(const LauncherScene& demo, const std::vector<std::string>& script);

// A file's lines; none for a missing file.
std::vector<std::string> Lines(const std::string& file);

// The Access stand-in's log, a "key=value" line for each fact of each start
// (start=<pid>, arg=, show=, then opened=<title> or refused=<reason>), once
// a start has opened or refused.
std::vector<std::string> WaitForHost(const LauncherScene& demo);
// The stand-in's log after giving a wrongly started host the time to show
// itself.
std::vector<std::string> HostLogAfterPause(const LauncherScene& demo);
void StopHosts(const LauncherScene& demo);

}  // namespace korvane::e2e
