#include "linux/services/compaction_fault.h"

#include <cstdlib>
#include <string_view>

#include "linux/services/sqlite_database.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

void LoseLastRows(const SqliteDatabase& copy) {
  for (const Text& table : copy.Names("table")) {
    if (StartsWithIgnoringAsciiCase(table, u"MSys")) continue;
    const std::string quoted = QuotedIdentifier(ToUtf8(table));
    copy.Execute("DELETE FROM " + quoted + " WHERE rowid = (SELECT max(rowid) FROM " + quoted +
                 ");");
  }
}

void WriteErrorTable(const SqliteDatabase& copy) {
  copy.Execute(
      "CREATE TABLE MSysCompactError (ErrorCode INTEGER, ErrorDescription TEXT, "
      "ErrorRecid BLOB, ErrorTable TEXT);"
      "INSERT INTO MSysCompactError VALUES (-1206, 'Record is deleted.', NULL, '代码');");
}

}  // namespace

void ApplyCompactionFault(const std::string& posixPath, const Text& shownPath) {
  const char* fault = std::getenv(kCompactionFaultVariable);
  if (fault == nullptr) return;
  const std::string_view asked = fault;
  if (asked != "lose-rows" && asked != "error-table") return;
  const SqliteDatabase copy(posixPath, SqliteDatabase::Mode::kReadWrite, shownPath);
  copy.Execute("BEGIN IMMEDIATE;");
  if (asked == "lose-rows") {
    LoseLastRows(copy);
  } else {
    WriteErrorTable(copy);
  }
  copy.Execute("COMMIT;");
}

}  // namespace korvane::linux_edition
