#include "concurrent_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <thread>

#include "linux/services/sqlite_database.h"
#include "platform/error.h"

namespace korvane::e2e {
namespace {

using linux_edition::SqliteDatabase;
using linux_edition::Statement;

// A writer left behind by a test that died stops by itself.
constexpr auto kLongestRun = std::chrono::minutes(2);

bool StopAsked(int stop) {
  pollfd ready{stop, POLLIN, 0};
  return ::poll(&ready, 1, 0) != 0;
}

// Retries a busy file every tenth of a millisecond for up to two seconds:
// the writer takes the file back the moment a reader lets it go.
int RetryAtOnce(void*, int attempts) {
  if (attempts >= 20000) return 0;
  ::usleep(100);
  return 1;
}

// As eager a writer as can be: commits that do not wait for the disk, and a
// small page cache, so that a big transaction writes the file all along its
// course rather than only as it commits.
std::unique_ptr<SqliteDatabase> Connect(const std::string& database) {
  auto db = std::make_unique<SqliteDatabase>(database, SqliteDatabase::Mode::kReadWrite, u"");
  sqlite3_busy_handler(db->Handle(), RetryAtOnce, nullptr);
  db->Execute("PRAGMA synchronous = OFF; PRAGMA cache_size = 100;");
  return db;
}

// The child's loop; returns the number of the last committed transaction.
std::int64_t Write(const std::string& database, const std::string& table, WriterPace pace,
                   int stop) {
  const std::string update = "UPDATE " + linux_edition::QuotedIdentifier(table) + " SET v = ?1";
  const auto deadline = std::chrono::steady_clock::now() + kLongestRun;
  std::unique_ptr<SqliteDatabase> db;
  std::int64_t committed = 0;
  while (!StopAsked(stop) && std::chrono::steady_clock::now() < deadline) {
    try {
      if (!db) db = Connect(database);
      db->Execute("BEGIN IMMEDIATE");
      Statement(*db, update).Bind(1, committed + 1).Step();
      std::this_thread::sleep_for(std::chrono::milliseconds(pace.openMs));
      db->Execute("COMMIT");
      ++committed;
    } catch (const Error&) {
      db.reset();  // closing rolls back what did not commit
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(pace.pauseMs));
  }
  return committed;
}

}  // namespace

ConcurrentWriter::ConcurrentWriter(const std::string& database, const std::string& table,
                                   WriterPace pace) {
  int stop[2], result[2];
  if (::pipe2(stop, O_CLOEXEC) != 0 || ::pipe2(result, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  std::fflush(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("the writer could not be started");
  if (pid_ == 0) {
    ::close(stop[1]);
    ::close(result[0]);
    const std::int64_t committed = Write(database, table, pace, stop[0]);
    const bool written = ::write(result[1], &committed, sizeof committed) == sizeof committed;
    ::_exit(written ? 0 : 1);
  }
  ::close(stop[0]);
  ::close(result[1]);
  stop_ = stop[1];
  result_ = result[0];
}

ConcurrentWriter::~ConcurrentWriter() {
  Stop();
}

std::int64_t ConcurrentWriter::Stop() {
  if (pid_ < 0) return committed_;
  ::close(stop_);
  if (::read(result_, &committed_, sizeof committed_) != sizeof committed_) committed_ = -1;
  ::close(result_);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
  return committed_;
}

}  // namespace korvane::e2e
