#include "maintenance/compacted_copy_check.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/database_engine.h"

namespace korvane {
namespace {

// A user table's name in ASCII capitals and its row count.
using TableRows = std::pair<Text, std::int64_t>;
using Tables = std::vector<TableRows>;

bool IsCompactErrorTable(const Text& name) {
  return EqualsIgnoringAsciiCase(name, kCompactErrorTable);
}

bool IsEngineTable(const Text& name) {
  return StartsWithIgnoringAsciiCase(name, u"MSys") || StartsWithIgnoringAsciiCase(name, u"~");
}

// The file's own data: its user tables and its table of compaction errors.
// Links and pass-through tables are rows of other databases, which a link
// to a moved file cannot even count; views hold no rows of their own.
bool IsCounted(const CatalogTable& table) {
  if (IsCompactErrorTable(table.name)) return true;
  return table.type == kUserTableType && !IsEngineTable(table.name);
}

// The tables compared between the back-end and its copy, with their row
// counts, in order: the user tables, and the table of compaction errors. A
// copy with errors of this compaction's own then differs from the back-end,
// while one carried over from an earlier repair of the back-end stands in
// both with the same rows, so that it does not refuse every compaction after.
Tables ComparedTables(DatabaseEngine& engine, const Text& connection) {
  const auto catalog = engine.CreateCatalog();
  catalog->Open(connection);
  Tables tables;
  for (const CatalogTable& table : catalog->Tables()) {
    if (IsCounted(table)) {
      tables.emplace_back(AsciiCapitals(table.name), catalog->RowCount(table.name));
    }
  }
  std::sort(tables.begin(), tables.end());
  catalog->Close();
  return tables;
}

}  // namespace

bool CompactedCopyIsComplete(DatabaseEngine& engine, const Text& originalConnection,
                             const Text& copyConnection) {
  const Tables copy = ComparedTables(engine, copyConnection);
  return ComparedTables(engine, originalConnection) == copy;
}

}  // namespace korvane
