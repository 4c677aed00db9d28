#pragma once
// Running the demo's launcher as the user does, steered by a UI script
// (src/linux/ui/ui_script.h), and reading what the Access stand-in it
// started recorded.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace korvane::e2e {

// Asks `done` every 10 ms until it holds or `limit` has passed; whether it held.
template <class Done>
bool Eventually(Done done, std::chrono::milliseconds limit) {
  for (const auto deadline = std::chrono::steady_clock::now() + limit;
       std::chrono::steady_clock::now() < deadline;
       std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
    if (done()) return true;
  }
  return false;
}

struct LauncherScene;
using Environment = std::map<std::string, std::string>;

// What the launcher showed, one line per event, as the UI script logs it.
struct Outcome {
  int exitCode = -1;  // -1: killed after the time limit
  std::vector<std::string> log;
};

// The first line of every run whose window is shown.
inline const std::string kShown =
    "shown "
    "TessalyKorvane|592x407|数据操作前端|压缩后端数据|备份后端数据|调阅档案数据|帮助|关闭窗口";

class LauncherProcess {
 public:
  // Starts the demo's launcher in its folder on Qt's offscreen platform.
  // `extra` adds to or overrides the environment.
  LauncherProcess(const LauncherScene& demo, const std::vector<std::string>& script,
                  const Environment& extra = {});
  ~LauncherProcess();  // kills the launcher if it still runs

  // Waits for the launcher to end (30 s at most, then kills it).
  Outcome Finish();
  // Waits until the log holds `line`; false after the time limit.
  bool WaitForLogLine(const std::string& line);
  // True until the launcher has ended.
  bool Running() const;
  // Ends the launcher at once with SIGKILL, as a crash would.
  void Kill();

 private:
  std::string logFile_;
  pid_t pid_ = -1;
};

// Runs the launcher with the script to its end.
Outcome RunLauncher(const LauncherScene& demo, const std::vector<std::string>& script,
                    const Environment& extra = {});

// One start of the Access stand-in, as its log records it.
struct HostStart {
  int pid = 0;
  std::vector<std::string> arguments;
  std::string show;     // the window style it was handed
  std::string outcome;  // "opened=<title>" or "refused=<reason>"
};

// The stand-in's starts once `count` of them have opened or refused (10 s at
// most); fewer when they did not come.
std::vector<HostStart> WaitForHostStarts(const LauncherScene& demo, std::size_t count);
// The starts recorded so far, after giving a wrongly started host the time
// to show itself.
std::vector<HostStart> HostStartsAfterPause(const LauncherScene& demo);
// Ends every stand-in the demo's launchers started.
void StopHosts(const LauncherScene& demo);

}  // namespace korvane::e2e
