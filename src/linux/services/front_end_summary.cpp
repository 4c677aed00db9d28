#include "linux/services/front_end_summary.h"

#include "linux/services/connection_text.h"
#include "linux/services/jet_database.h"
#include "linux/services/stand_in_files.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {

FrontEndSummary SummariseFrontEnd(TextView connectionText) {
  const JetDatabase frontEnd(ParseConnectionText(connectionText));
  const SqliteDatabase& db = frontEnd.Database();
  FrontEndSummary summary;
  summary.files = frontEnd.Files();
  if (db.HasTable("main", "MSysProperties")) {
    Statement title(db, "SELECT Value FROM MSysProperties WHERE Name = 'AppTitle'");
    if (title.Step()) summary.appTitle = title.ColumnText(0);
  }
  if (!db.HasTable("main", "MSysObjects")) return summary;
  Statement links(db,
                  "SELECT Name, Database FROM MSysObjects WHERE Type = ?1 AND Database IS NOT NULL "
                  "ORDER BY rowid");
  links.Bind(1, std::int64_t{kLinkedTableType});
  while (links.Step()) {
    LinkedTableSummary table{links.ColumnText(0), links.ColumnText(1), -1};
    try {
      const auto count = frontEnd.Prepare(
          FromUtf8("SELECT count(*) FROM " + QuotedIdentifier(ToUtf8(table.name))));
      if (count->Step()) table.rows = count->ColumnInt(0);
    } catch (const Error&) {
      // A link that cannot be read shows as such; the others still count.
    }
    summary.tables.push_back(std::move(table));
  }
  return summary;
}

}  // namespace korvane::linux_edition
