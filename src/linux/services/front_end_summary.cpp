#include "linux/services/front_end_summary.h"

#include "linux/services/connection_text.h"
#include "linux/services/jet_database.h"
#include "linux/services/stand_in_format.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {

FrontEndSummary SummariseFrontEnd(TextView connectionText) {
  const JetDatabase frontEnd(ParseConnectionText(connectionText));
  const SqliteDatabase& db = frontEnd.Database();
  FrontEndSummary summary;
  summary.files = frontEnd.Files();
  summary.appTitle = ReadAppTitle(db);
  for (const LinkedTable& link : ReadLinkedTables(db)) {
    LinkedTableSummary table{link.name, link.database, -1};
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
