#pragma once
// What every end-to-end scenario shares: the demo files with the launcher
// and the help file copied beside the front-end; the launcher run as the
// user runs it, steered by a UI script (src/linux/ui/ui_script.h); the
// Access stand-ins it started, their log read and the stand-ins ended
// afterwards; and log comparison with "*" standing for any text (a process
// id, the help viewer's title). Everything the launcher and the stand-in
// share between runs (instance lock, host registry, host log) lives inside
// the scene's folder, so tests never meet each other.

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "linux/services/utf8_text.h"
#include "support/demo_scene.h"

namespace korvane::e2e {

namespace fs = std::filesystem;
using linux_edition::ToUtf8;
using testing::Listing;
using testing::ReadFile;

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

// What the launcher showed, one line per event, as the UI script logs it.
struct Outcome {
  int exitCode = -1;  // -1: killed after the time limit
  std::vector<std::string> log;
};

// The first line of every run whose window is shown.
inline const std::string kShown =
    "shown "
    "TessalyKorvane|592x407|数据操作前端|压缩后端数据|备份后端数据|调阅档案数据|帮助|关闭窗口";
// The messages that end a backup and a compaction.
inline const std::string kBackedUp = "message 系统运行状态|后端数据备份工作已经结束|OK";
inline const std::string kCompacted = "message 系统运行状态|后端数据压缩工作已经结束|OK";

struct LauncherScene : testing::DemoScene {
  LauncherScene();

  std::string Share() const { return folder.File("share"); }
  std::string HostLog() const { return folder.File("host.log"); }
  // The launcher's support log, in the scene's state folder.
  std::string SupportLog() const { return folder.File("state/tessalykorvane/launcher.log"); }
  // Some 48 MB of rows more in the back-end (a table 流水): long to copy.
  void GrowBackEnd() const;
};

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

// A support log line's pattern: the local time, a tab and `record`.
inline std::string Logged(const std::string& record) {
  return "[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]\t" + record;
}

// The first field of the first row of `sql` on a database file, as text.
std::string Ask(const std::string& database, const std::string& sql);

class LauncherTest : public ::testing::Test {
 protected:
  void TearDown() override { StopHosts(demo); }

  LauncherScene demo;
};

inline ::testing::AssertionResult LogMatches(const std::vector<std::string>& log,
                                             const std::vector<std::string>& expected) {
  bool same = log.size() == expected.size();
  for (std::size_t i = 0; same && i < log.size(); ++i) {
    same = fnmatch(expected[i].c_str(), log[i].c_str(), FNM_NOESCAPE) == 0;
  }
  if (same) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "log:";
  for (const std::string& line : log) failure << "\n  " << line;
  failure << "\nexpected:";
  for (const std::string& line : expected) failure << "\n  " << line;
  return failure;
}

// The Access stand-in's log of its start on a front-end beside the
// launcher: maximised, with the arguments the host's command line splits
// into, and the outcome's line.
inline std::vector<std::string> HostStart(const LauncherScene& demo, const std::string& frontEnd,
                                          const std::string& outcome) {
  return {"start=*",       "arg=" + ToUtf8(demo.programFolder) + "\\" + frontEnd,
          "arg=/wrkgrp:",  "arg=" + ToUtf8(demo.workgroupFile),
          "arg=/user",     "arg=qorvu",
          "arg=/pwdpelmo", "show=3",
          outcome};
}

}  // namespace korvane::e2e
