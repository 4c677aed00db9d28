#pragma once
// A database opened as the engine opens one: provider checked, workgroup
// account checked, file held with a shared lock, database password checked,
// and, for a front-end, its linked tables attached from their back-ends as
// temporary views under the names the front-end's queries use.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/database_engine.h"
#include "linux/services/connection_text.h"
#include "linux/services/file_lock.h"
#include "linux/services/jet_checks.h"
#include "linux/services/sqlite_database.h"
#include "platform/error.h"

namespace korvane::linux_edition {

class JetDatabase {
 public:
  // Raises the engine's errors for a wrong provider, a missing file, a bad
  // account or password, a file in use or not a database. A linked table
  // whose back-end cannot be attached raises only when a query names it.
  explicit JetDatabase(const ConnectionSettings& settings);

  const SqliteDatabase& Database() const { return database_; }
  // The front-end's POSIX path, then each attached back-end's.
  const std::vector<std::string>& Files() const { return files_; }

  // The database's catalogue in the words of ADO's schema of tables: its
  // tables ("TABLE"; "SYSTEM TABLE" for the engine's, named "MSys…"), its
  // views ("VIEW") and the linked tables its MSysObjects lists ("LINK"),
  // whether or not their files can be reached, in the order each kind was
  // made.
  std::vector<CatalogTable> Tables() const;

  // Prepares `sql` (with a closing "WITH OWNERACCESS OPTION" dropped); a
  // missing table raises the reason its link failed, or "cannot find the
  // input table".
  std::unique_ptr<Statement> Prepare(TextView sql) const;

 private:
  void AttachLinkedTables();
  void AttachBackEnd(const Text& backEnd, const std::string& schema, const Text& password);

  // Declared in this order so that the database opens after its lock is
  // taken and closes before the locks are released.
  std::vector<FileLock> locks_;
  std::vector<std::string> files_;
  SqliteDatabase database_;
  std::map<std::string, Error> failedLinks_;  // by linked table name, folded
};

// The SQL as SQLite runs it: a closing "WITH OWNERACCESS OPTION" (any case,
// any blanks, an optional semicolon) removed, the rest unchanged.
Text WithoutOwnerAccessOption(TextView sql);

}  // namespace korvane::linux_edition
