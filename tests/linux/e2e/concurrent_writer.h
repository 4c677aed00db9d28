#pragma once
// Another user writing the back-end while the launcher works on it: a
// SQLite program in a process of its own that sets column v of every row of
// one table to the number of its transaction, one transaction after
// another, each held open a while before it commits, until it is stopped.
// A transaction that fails (a busy file, a file replaced under it) is
// rolled back and tried again on a fresh connection.

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace korvane::e2e {

struct WriterPace {
  int openMs;   // from the transaction's first write to its commit
  int pauseMs;  // between one transaction and the next
};

class ConcurrentWriter {
 public:
  ConcurrentWriter(const std::string& database, const std::string& table, WriterPace pace);
  ~ConcurrentWriter();  // stops it
  ConcurrentWriter(const ConcurrentWriter&) = delete;
  ConcurrentWriter& operator=(const ConcurrentWriter&) = delete;

  // Stops the writer once its transaction in progress is done; the number
  // of the last transaction it committed (0: none).
  std::int64_t Stop();

 private:
  pid_t pid_ = -1;
  int stop_ = -1;    // closed to stop the writer
  int result_ = -1;  // where it writes the last committed number
  std::int64_t committed_ = 0;
};

}  // namespace korvane::e2e
