#pragma once
// The database engine of the Linux edition: Korvane's .mde, .mdb and .mdw
// files are SQLite databases laid out as stand_in_format.h describes, reached
// through the DatabaseEngine seam as the launcher reaches Jet:
//  - connection texts in the engine's form (connection_text.h);
//  - the workgroup account checked against the workgroup file;
//  - the front-end's linked tables attached from the back-ends that
//    MSysObjects names, each under the password its link stores;
//  - queries run with their text unchanged except for a closing
//    "WITH OWNERACCESS OPTION", which SQLite does not know;
//  - compaction through VACUUM INTO;
//  - a database's catalogue read from sqlite_master and the links of its
//    MSysObjects, row counts by count(*).
// While a database is open the engine holds a shared lock on its file
// (file_lock.h); compaction holds the source exclusively, so it fails while
// the file is open elsewhere. Errors carry Jet's numbers and texts, with the
// source "Microsoft JET Database Engine".

#include <memory>

#include "platform/database_engine.h"

namespace korvane::linux_edition {

class SqliteDatabaseEngine : public DatabaseEngine {
 public:
  std::unique_ptr<Connection> CreateConnection() override;
  std::unique_ptr<Recordset> CreateRecordset() override;
  std::unique_ptr<CompactionEngine> CreateCompactionEngine() override;
  std::unique_ptr<DatabaseCatalog> CreateCatalog() override;
};

}  // namespace korvane::linux_edition
