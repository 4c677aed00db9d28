#pragma once
// A scripted database engine: each connection, recordset, compaction
// engine and catalogue enters its calls in the shared log, and the
// front-end's first row is set by the test. Compaction writes its
// destination as a file of the fake host. Every database holds the tables
// the test sets, a compacted copy those of its own when set.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "fakes/call_log.h"
#include "fakes/fake_host.h"
#include "platform/database_engine.h"

namespace korvane::testing {

class FakeEngine : public DatabaseEngine {
 public:
  FakeEngine(CallLog& callLog, FakeHost& fakeHost) : log(callLog), host(fakeHost) {}
  CallLog& log;
  FakeHost& host;  // where compaction writes and catalogues read

  // What an open connection reads back: the provider's expanded form.
  static Text Expanded(const Text& text) { return Text(u"Provider=") + kJetProvider + u";" + text; }
  // What compaction makes of a database's content.
  static std::string Compacted(const std::string& content) { return "compacted " + content; }

  // The first field of the first row of every recordset; no row when empty.
  std::optional<Text> firstRow;
  struct Table {
    Text name;
    std::int64_t rows;  // negative: counting it raises, as for a broken link
    Text type = kUserTableType;
  };
  // The tables of every database, and of every compacted copy when set.
  std::vector<Table> tables = {{u"代码", 6}, {u"Staff", 3}, {u"MSysObjects", 24, u"SYSTEM TABLE"}};
  std::optional<std::vector<Table>> compactedTables;
  // What another user does as soon as the compaction has written its copy.
  std::function<void()> afterCompaction;

  std::unique_ptr<Connection> CreateConnection() override;
  std::unique_ptr<Recordset> CreateRecordset() override;
  std::unique_ptr<CompactionEngine> CreateCompactionEngine() override;
  std::unique_ptr<DatabaseCatalog> CreateCatalog() override;
};

}  // namespace korvane::testing
