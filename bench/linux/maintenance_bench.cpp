// Measures the Linux edition's back-end maintenance against the plain
// tools, in one run on the same files:
//  - backup: PosixHostServices::CopyFile of a 1 GiB back-end, held against
//    writers as the backup holds it, against cp;
//  - compaction: the engine stand-in's CompactDatabase of a large back-end
//    with deleted rows, followed by the launcher's check of the copy against
//    the back-end (both catalogued, every table counted), against sqlite3
//    running VACUUM INTO on it alone.
// Each ratio is the tool's time over ours (above 1: we are faster), from
// the median of several alternating rounds. The files are made in the
// folder given (default /tmp) and removed afterwards.
//
// usage: maintenance_bench [folder] [backup MiB] [rounds]

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/database_engine.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/stand_in_files.h"
#include "linux/services/utf8_text.h"
#include "linux/services/windows_paths.h"
#include "maintenance/compacted_copy_check.h"
#include "maintenance/maintain_back_end.h"
#include "platform/error.h"

namespace {

using namespace korvane;
using namespace korvane::linux_edition;
using Clock = std::chrono::steady_clock;

void Check(int code, sqlite3* db, const char* what) {
  if (code == SQLITE_OK) return;
  std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
  std::exit(1);
}

// A data back-end grown to about `mebibytes` with rows of random blobs; with
// `deleteEvery` above 0 every such row is deleted again, leaving free pages
// for a compaction to give back.
void GrowBackEnd(const std::string& path, int mebibytes, int deleteEvery) {
  CreateDataBackEnd(path, kDemoDatabasePassword);
  sqlite3* db = nullptr;
  Check(sqlite3_open(path.c_str(), &db), db, "open");
  const std::string fill =
      "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
      "CREATE TABLE 附件 (id INTEGER PRIMARY KEY, 内容 BLOB);"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(mebibytes * 256) + ") INSERT INTO 附件 (内容) SELECT randomblob(4000) FROM n;";
  Check(sqlite3_exec(db, fill.c_str(), nullptr, nullptr, nullptr), db, "fill");
  if (deleteEvery > 0) {
    const std::string thin = "DELETE FROM 附件 WHERE id % " + std::to_string(deleteEvery) + " = 0;";
    Check(sqlite3_exec(db, thin.c_str(), nullptr, nullptr, nullptr), db, "thin");
  }
  sqlite3_close(db);
}

int Run(const std::vector<std::string>& argv) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double Seconds(const std::function<void()>& step) {
  const auto start = Clock::now();
  step();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs ours and theirs in alternating rounds, each after `prepare`, with
// dirty pages written out between rounds so no round pays for another.
std::pair<double, double> Compare(int rounds, const std::function<void()>& prepare,
                                  const std::function<void()>& ours,
                                  const std::function<void()>& theirs) {
  std::vector<double> our, their;
  for (int round = 0; round < rounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool oursFirst = round % 2 == 0;
      prepare();
      ::sync();
      const double t = Seconds((turn == 0) == oursFirst ? ours : theirs);
      ((turn == 0) == oursFirst ? our : their).push_back(t);
    }
  }
  return {Median(our), Median(their)};
}

void Remove(const std::string& path) {
  std::filesystem::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string base = argc > 1 ? argv[1] : "/tmp";
  const int backupMiB = argc > 2 ? std::atoi(argv[2]) : 1024;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  std::string folder = base + "/korvane-maintenance-bench-XXXXXX";
  if (!::mkdtemp(folder.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string backEnd = folder + "/Korvane数据.mdb";
  const std::string backUp = folder + "/Korvane后端备份.mdb";
  const std::string compacted = folder + "/Korvane数据备份.mdb";
  try {
    PosixHostServices host(
        [](const Text&, const Text&, MessageButtons) { return MessageAnswer::kOk; });
    std::printf("back-end of %d MiB in %s\n", backupMiB, folder.c_str());
    GrowBackEnd(backEnd, backupMiB, 0);
    const Text from = ToWindowsPath(backEnd);
    const Text to = ToWindowsPath(backUp);
    Run({"cp", backEnd, backUp});  // brings the source into the page cache
    const auto [copyOurs, copyCp] = Compare(
        rounds, [&] { Remove(backUp); },
        [&] {
          const auto hold = host.HoldAgainstWriters(from);
          host.CopyFile(from, to);
        },
        [&] {
          Run({"cp", backEnd, backUp});
        });
    Remove(backUp);
    std::printf(
        "backup:     hold and CopyFile %.3f s, cp %.3f s, ratio cp/ours %.3f (aim >= 0.95)\n",
        copyOurs, copyCp, copyCp / copyOurs);

    // The compaction's back-end: a quarter of the backup's size, half of it freed.
    Remove(backEnd);
    GrowBackEnd(backEnd, std::max(1, backupMiB / 4), 2);
    SqliteDatabaseEngine engine;
    const Text source = kCompactionConnectionPrefix + from;
    const Text copy = kCompactionConnectionPrefix + ToWindowsPath(compacted);
    std::vector<double> compactions, checks;
    const auto [compactOurs, compactSqlite] = Compare(
        rounds, [&] { Remove(compacted); },
        [&] {
          compactions.push_back(
              Seconds([&] { engine.CreateCompactionEngine()->CompactDatabase(source, copy); }));
          checks.push_back(Seconds([&] {
            if (!CompactedCopyIsComplete(engine, kCheckConnectionPrefix + from,
                                         kCheckConnectionPrefix + ToWindowsPath(compacted))) {
              std::fprintf(stderr, "the check refused a faithful copy\n");
              std::exit(1);
            }
          }));
        },
        [&] {
          Run({"sqlite3", backEnd, "VACUUM INTO '" + compacted + "'"});
        });
    std::printf(
        "compaction: CompactDatabase and check %.3f s (check %.3f s), sqlite3 VACUUM INTO %.3f s, "
        "ratio %.3f (aim >= 0.9; without the check %.3f)\n",
        compactOurs, Median(checks), compactSqlite, compactSqlite / compactOurs,
        compactSqlite / Median(compactions));
  } catch (const Error& error) {
    std::fprintf(stderr, "%s-->%s\n", ToUtf8(error.Source()).c_str(),
                 ToUtf8(error.Description()).c_str());
    std::filesystem::remove_all(folder);
    return 1;
  }
  std::filesystem::remove_all(folder);
  return 0;
}
