#include "linux/services/stand_in_format.h"

#include <algorithm>
#include <string>

#include "linux/services/ascii_text.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

std::string Sql(std::initializer_list<std::string_view> parts) {
  std::string sql;
  for (const std::string_view part : parts) sql += part;
  return sql;
}

// The password a link's connect string (";DATABASE=…;PWD=…") carries.
Text LinkPassword(TextView connect) {
  std::size_t start = 0;
  while (start <= connect.size()) {
    const std::size_t end = std::min(connect.find(u';', start), connect.size());
    const TextView part = connect.substr(start, end - start);
    if (AsciiLowered(part.substr(0, 4)) == u"pwd=") return Text(part.substr(4));
    start = end + 1;
  }
  return Text();
}

}  // namespace

void WriteFrontEndCatalog(const SqliteDatabase& db, const Text& appTitle,
                          const std::vector<LinkedTable>& links) {
  db.Execute(Sql({"CREATE TABLE ", kCatalogTable,
                  " (Name TEXT NOT NULL, Type INTEGER NOT NULL, Database TEXT, "
                  "ForeignName TEXT, Connect TEXT); CREATE TABLE ",
                  kPropertiesTable, " (Name TEXT PRIMARY KEY, Value TEXT);"}));
  const std::string insert =
      Sql({"INSERT INTO ", kCatalogTable,
           " (Name, Type, Database, ForeignName, Connect) VALUES (?1, ?2, ?3, ?4, ?5)"});
  // The front-end's own objects: no Database.
  for (const char* own : {kCatalogTable, kPropertiesTable}) {
    Statement row(db, insert);
    row.Bind(1, FromUtf8(own))
        .Bind(2, std::int64_t{kLocalTableType})
        .BindNull(3)
        .BindNull(4)
        .BindNull(5);
    row.Step();
  }
  for (const auto& link : links) {
    Statement row(db, insert);
    row.Bind(1, link.name).Bind(2, std::int64_t{kLinkedTableType}).Bind(3, link.database);
    row.Bind(4, link.foreignName).Bind(5, u";PWD=" + link.databasePassword);
    row.Step();
  }
  Statement title(
      db, Sql({"INSERT INTO ", kPropertiesTable, " (Name, Value) VALUES ('AppTitle', ?1)"}));
  title.Bind(1, appTitle).Step();
}

std::vector<LinkedTable> ReadLinkedTables(const SqliteDatabase& db) {
  std::vector<LinkedTable> links;
  if (!db.HasTable("main", kCatalogTable)) return links;
  Statement rows(db, Sql({"SELECT Name, Database, ForeignName, Connect FROM ", kCatalogTable,
                          " WHERE Type = ?1 AND Database IS NOT NULL ORDER BY rowid"}));
  rows.Bind(1, std::int64_t{kLinkedTableType});
  while (rows.Step()) {
    const Text name = rows.ColumnText(0);
    links.push_back({name, rows.IsNull(2) ? name : rows.ColumnText(2), rows.ColumnText(1),
                     LinkPassword(rows.ColumnText(3))});
  }
  return links;
}

Text ReadAppTitle(const SqliteDatabase& db) {
  if (!db.HasTable("main", kPropertiesTable)) return Text();
  Statement title(db, Sql({"SELECT Value FROM ", kPropertiesTable, " WHERE Name = 'AppTitle'"}));
  return title.Step() ? title.ColumnText(0) : Text();
}

void StoreDatabasePassword(const SqliteDatabase& db, const Text& password) {
  const std::string table = QuotedIdentifier(kPasswordTable);
  db.Execute("DROP TABLE IF EXISTS " + table);
  if (password.empty()) return;
  db.Execute("CREATE TABLE " + table + " (Password TEXT NOT NULL)");
  Statement(db, "INSERT INTO " + table + " (Password) VALUES (?1)").Bind(1, password).Step();
}

}  // namespace korvane::linux_edition
