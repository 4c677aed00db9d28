#include "e2e_fixture.h"

#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "linux/services/sqlite_database.h"

namespace korvane::e2e {
namespace {

using namespace std::chrono_literals;

// Where the tests run as root, the launcher runs without the powers that
// let root write into read-only files and folders; elsewhere this fails
// and changes nothing.
void DropRootsFilePowers() {
  for (const int power : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
    ::prctl(PR_CAPBSET_DROP, power, 0, 0, 0);
  }
}

}  // namespace

std::vector<std::string> Lines(const std::string& file) {
  std::istringstream in(ReadFile(file));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Environment SlowShare() {
  // A launcher built with AddressSanitizer would refuse a library loaded
  // before its runtime.
  const char* asan = std::getenv("ASAN_OPTIONS");
  return {{"LD_PRELOAD", KORVANE_SLOW_SHARE},
          {"ASAN_OPTIONS", (asan ? asan + std::string(":") : "") + "verify_asan_link_order=0"}};
}

LauncherProcess::LauncherProcess(const LauncherScene& demo, const std::vector<std::string>& script,
                                 const Environment& environment) {
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
  const std::pair<const char*, std::string> variables[] = {
      {"QT_QPA_PLATFORM", "offscreen"},
      {"XDG_RUNTIME_DIR", demo.folder.File("runtime")},
      {"XDG_CONFIG_HOME", demo.folder.File("config")},
      {"XDG_STATE_HOME", demo.folder.File("state")},
      {"KORVANE_UI_SCRIPT", scriptFile},
      {"KORVANE_HOST_FOLDER", KORVANE_HOST_FOLDER_FOR_TESTS},
      {"KORVANE_HOST_REGISTRY", demo.folder.File("runtime/hosts")},
      {"KORVANE_HOST_LOG", demo.HostLog()},
      // A safety net: StopHosts ends them long before.
      {"KORVANE_HOST_EXIT_AFTER_MS", "60000"}};
  for (const auto& [name, value] : variables) ::setenv(name, value.c_str(), 1);
  for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
  DropRootsFilePowers();
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

void LauncherProcess::Kill() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
}

std::vector<std::string> LauncherProcess::Log() const {
  return Lines(logFile_);
}

Outcome LauncherProcess::Finish() {
  int status = 0;
  const bool ended = Eventually([&] { return ::waitpid(pid_, &status, WNOHANG) != 0; });
  if (ended) pid_ = -1;
  Kill();
  return {ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1, Log()};
}

Outcome RunLauncher(const LauncherScene& demo, const std::vector<std::string>& script) {
  return LauncherProcess(demo, script).Finish();
}

std::vector<std::string> WaitForHost(const LauncherScene& demo) {
  std::vector<std::string> log;
  Eventually([&] {
    log = Lines(demo.HostLog());
    return !log.empty() &&
           (log.back().starts_with("opened=") || log.back().starts_with("refused="));
  });
  return log;
}

std::vector<std::string> HostLogAfterPause(const LauncherScene& demo) {
  std::this_thread::sleep_for(500ms);
  return Lines(demo.HostLog());
}

void StopHosts(const LauncherScene& demo) {
  for (const std::string& line : Lines(demo.HostLog())) {
    if (line.starts_with("start=")) ::kill(std::stoi(line.substr(6)), SIGKILL);
  }
}

LauncherScene::LauncherScene() {
  fs::copy_file(KORVANE_LAUNCHER, App("TessalyKorvane"));
  fs::copy_file(KORVANE_TEST_HELP_CHM, App("nuqe.chm"));
  folder.MakeFolder("runtime/hosts");
  fs::permissions(folder.File("runtime"), fs::perms::owner_all, fs::perm_options::replace);
}

void LauncherScene::GrowBackEnd() const {
  linux_edition::SqliteDatabase(files.dataBackEnd, linux_edition::SqliteDatabase::Mode::kReadWrite,
                                u"")
      .Execute(
          "CREATE TABLE 流水 (x BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
          "FROM n WHERE i < 3000) INSERT INTO 流水 SELECT randomblob(16000) FROM n;");
}

std::string Ask(const std::string& database, const std::string& sql) {
  const linux_edition::SqliteDatabase db(database, linux_edition::SqliteDatabase::Mode::kReadOnly,
                                         u"");
  linux_edition::Statement query(db, sql);
  return query.Step() ? ToUtf8(query.ColumnText(0)) : "";
}

}  // namespace korvane::e2e
