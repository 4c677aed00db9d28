#pragma once
// Korvane's files in the Linux edition, as SQLite databases. The engine reads
// them and the demo writer makes them, both through this one description:
//  - a front-end (.mde) holds the catalogue MSysObjects (Name, Type,
//    Database, ForeignName, Connect): a linked table has Type 6, the Windows
//    path of its back-end in Database, the back-end's table in ForeignName
//    and the link's connect string ";PWD=<database password>" in Connect, as
//    Jet keeps them; the front-end's own objects have Database NULL. Its
//    properties (MSysProperties: Name, Value) hold AppTitle.
//  - the workgroup file (.mdw) holds the accounts (MSysAccounts: Name,
//    Password); names are compared without regard to ASCII case, passwords
//    exactly.
//  - a back-end (.mdb) holds its data tables and, when it has a database
//    password, the table MSysDatabasePassword (Password). This is a check the
//    engine makes, not encryption: the file itself is readable by anyone
//    who can read it with SQLite.

#include <vector>

#include "linux/services/sqlite_database.h"
#include "platform/text.h"

namespace korvane::linux_edition {

inline constexpr char kCatalogTable[] = "MSysObjects";
inline constexpr char kPropertiesTable[] = "MSysProperties";
inline constexpr char kAccountsTable[] = "MSysAccounts";
inline constexpr char kPasswordTable[] = "MSysDatabasePassword";

inline constexpr int kLinkedTableType = 6;
inline constexpr int kLocalTableType = 1;

struct LinkedTable {
  Text name;              // the name the front-end's queries use
  Text foreignName;       // the table in the back-end
  Text database;          // Windows path of the back-end, as stored
  Text databasePassword;  // stored in the link; empty for none
};

// Makes a new front-end's catalogue, holding its own two tables and `links`,
// and its properties, holding `appTitle`.
void WriteFrontEndCatalog(const SqliteDatabase& db, const Text& appTitle,
                          const std::vector<LinkedTable>& links);

// The linked tables of the catalogue in `db`, in the order they were made;
// none when it has no catalogue. A link without ForeignName reaches the
// back-end's table of its own name. Read to the end before returning: while
// a statement runs, an attached database cannot be detached.
std::vector<LinkedTable> ReadLinkedTables(const SqliteDatabase& db);

// The front-end's AppTitle property; empty when it has none.
Text ReadAppTitle(const SqliteDatabase& db);

// Stores `password` as the database password of `db`'s main file, replacing
// any stored before; empty: the file has none.
void StoreDatabasePassword(const SqliteDatabase& db, const Text& password);

}  // namespace korvane::linux_edition
