#pragma once
// The seam to the database engine that holds Korvane's data: Jet 4.0 through
// ADO (connection, recordset) and JRO (compaction). Each routine creates the
// objects it uses and releases them (destroys them) before it returns.
// Every failing operation, creation included, raises korvane::Error.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text.h"

namespace korvane {

// The seam keeps ADO's own shape on purpose: the objects, their calls and
// the numbers below are those the launcher's routines make of ADO, so that
// the Windows edition passes them on unchanged and the stand-ins answer what
// ADO would. Cursor and lock numbers of the ADO enumerations.
inline constexpr int kDynamicCursor = 2;
inline constexpr int kStaticCursor = 3;
inline constexpr int kOptimisticLock = 3;
// Options value -1: no option of the caller's own.
inline constexpr int kNoOptions = -1;

inline constexpr char16_t kJetProvider[] = u"Microsoft.Jet.OLEDB.4.0";

class Connection {
 public:
  virtual ~Connection() = default;
  // Sets the provider property before opening.
  virtual void SetProvider(const Text& provider) = 0;
  // Sets the connection string property before opening.
  virtual void SetConnectionString(const Text& connectionString) = 0;
  // Opens with the properties set before and these arguments (empty texts and
  // -1 from the launcher); raises when the database cannot be opened.
  virtual void Open(const Text& connectionString, const Text& userId, const Text& password,
                    int options) = 0;
  // After opening: the connection string in the provider's expanded form,
  // which opens the same database under the same account when passed back.
  virtual Text ConnectionString() = 0;
  // Closes the connection; raises when it is not open.
  virtual void Close() = 0;
};

class Recordset {
 public:
  virtual ~Recordset() = default;
  // Opens on `sql` with its own connection made from `connectionText`;
  // raises for a failing query, a missing file or linked table, a wrong
  // account or password, and an empty connection text.
  virtual void Open(const Text& sql, const Text& connectionText, int cursorType, int lockType,
                    int options) = 0;
  // The value of field 0 of the current row (the first row delivered) as
  // text; raises when the recordset holds no row.
  virtual Text FirstFieldText() = 0;
  // Closes the recordset; raises when it is not open.
  virtual void Close() = 0;
};

class CompactionEngine {
 public:
  virtual ~CompactionEngine() = default;
  // Writes a compacted copy of the source database as the destination file
  // (which must not exist), under the database password the destination
  // string names; raises otherwise, leaving the source untouched.
  virtual void CompactDatabase(const Text& sourceConnection, const Text& destinationConnection) = 0;
};

// One entry of a database's catalogue of tables: its name, and its kind in
// the words of ADO's schema of tables ("TABLE", "SYSTEM TABLE", "LINK",
// "PASS-THROUGH", "VIEW", ...).
struct CatalogTable {
  Text name;
  Text type;
  bool operator==(const CatalogTable&) const = default;
};

inline constexpr char16_t kUserTableType[] = u"TABLE";

// Reads what a database holds: its tables and how many rows each has.
class DatabaseCatalog {
 public:
  virtual ~DatabaseCatalog() = default;
  // Opens the database the connection text names (raises like Connection::Open).
  virtual void Open(const Text& connectionText) = 0;
  // Every entry of the database's catalogue of tables, of every kind.
  virtual std::vector<CatalogTable> Tables() = 0;
  // The number of rows of one table.
  virtual std::int64_t RowCount(const Text& table) = 0;
  // Closes the database; raises when it is not open.
  virtual void Close() = 0;
};

class DatabaseEngine {
 public:
  virtual ~DatabaseEngine() = default;
  // Each creation is a step of its own that can fail.
  virtual std::unique_ptr<Connection> CreateConnection() = 0;
  virtual std::unique_ptr<Recordset> CreateRecordset() = 0;
  virtual std::unique_ptr<CompactionEngine> CreateCompactionEngine() = 0;
  virtual std::unique_ptr<DatabaseCatalog> CreateCatalog() = 0;
};

}  // namespace korvane
