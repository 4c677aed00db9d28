#include "maintenance/compacted_copy_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "database/database_engine.h"

namespace korvane {
namespace {

// A user table's name in ASCII capitals and its row count.
using TableRows = std::pair<Text, std::int64_t>;
using Tables = std::vector<TableRows>;

Text AsciiCapitals(Text name) {
  for (char16_t& c : name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return name;
}

bool IsCompactErrorTable(const Text& name) {
  return EqualsIgnoringAsciiCase(name, kCompactErrorTable);
}

bool IsEngineTable(const Text& name) {
  return StartsWithIgnoringAsciiCase(name, u"MSys") || StartsWithIgnoringAsciiCase(name, u"~");
}

// The database's user tables with their row counts, in order; nothing when
// it holds a table of compaction errors.
std::optional<Tables> UserTables(DatabaseEngine& engine, const Text& connection) {
  const auto catalog = engine.CreateCatalog();
  catalog->Open(connection);
  const std::vector<Text> names = catalog->TableNames();
  std::optional<Tables> tables;
  if (std::none_of(names.begin(), names.end(), IsCompactErrorTable)) {
    tables.emplace();
    for (const Text& name : names) {
      if (!IsEngineTable(name)) tables->emplace_back(AsciiCapitals(name), catalog->RowCount(name));
    }
    std::sort(tables->begin(), tables->end());
  }
  catalog->Close();
  return tables;
}

}  // namespace

bool CompactedCopyIsComplete(DatabaseEngine& engine, const Text& originalConnection,
                             const Text& copyConnection) {
  // The copy first: a copy the engine marked as repaired is refused without
  // reading the original again.
  const auto copy = UserTables(engine, copyConnection);
  return copy && UserTables(engine, originalConnection) == copy;
}

}  // namespace korvane
