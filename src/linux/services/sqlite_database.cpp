#include "linux/services/sqlite_database.h"

#include <utility>

#include "linux/services/engine_errors.h"
#include "linux/services/keep_alive.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

// How long a reader waits for SQLite's own short write locks.
constexpr int kBusyTimeoutMs = 2000;
// Steps of SQLite's machine between two calls of KeepAlive: some hundred
// rows of a compaction or a count, a few milliseconds at most.
constexpr int kKeepAliveSteps = 1000;

}  // namespace

void ThrowSqliteError(sqlite3* db, int code) {
  const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  throw EngineError(EngineFault::kQueryFailed, FromUtf8(message));
}

SqliteDatabase::SqliteDatabase(const std::string& posixPath, Mode mode, const Text& shownPath) {
  int flags = SQLITE_OPEN_NOMUTEX;
  flags |= mode == Mode::kReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  if (mode == Mode::kCreate) flags |= SQLITE_OPEN_CREATE;
  const int code = sqlite3_open_v2(posixPath.c_str(), &db_, flags, nullptr);
  if (code != SQLITE_OK) {
    sqlite3_close_v2(std::exchange(db_, nullptr));
    throw EngineError(EngineFault::kFileNotFound, shownPath);
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  // The answer is always "go on": a progress box kept painted never
  // interrupts the work.
  sqlite3_progress_handler(
      db_, kKeepAliveSteps,
      [](void*) {
        KeepAlive();
        return 0;
      },
      nullptr);
  // SQLite reads the header only on first use: make a file that is not a
  // database fail here, with the engine's words for it.
  const int check =
      sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (check == SQLITE_NOTADB || check == SQLITE_CORRUPT) {
    sqlite3_close_v2(std::exchange(db_, nullptr));
    throw EngineError(EngineFault::kNotADatabase, shownPath);
  }
  if (check != SQLITE_OK) {
    const Text message = FromUtf8(sqlite3_errmsg(db_));
    sqlite3_close_v2(std::exchange(db_, nullptr));
    throw EngineError(EngineFault::kQueryFailed, message);
  }
  // A reader walks its pages in place rather than copying each one out of
  // the file: compaction and counting read whole databases.
  if (mode == Mode::kReadOnly) {
    sqlite3_exec(db_, "PRAGMA mmap_size = 1073741824", nullptr, nullptr, nullptr);
  }
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)) {}

SqliteDatabase::~SqliteDatabase() {
  sqlite3_close_v2(db_);
}

void SqliteDatabase::Execute(const std::string& sql) const {
  const int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code);
}

bool SqliteDatabase::HasTable(const std::string& schema, const std::string& table) const {
  Statement query(*this, "SELECT 1 FROM " + QuotedIdentifier(schema) +
                             ".sqlite_master WHERE type = 'table' AND name = ?1");
  query.Bind(1, FromUtf8(table));
  return query.Step();
}

std::vector<Text> SqliteDatabase::Names(const char* kind) const {
  Statement objects(*this,
                    "SELECT name FROM main.sqlite_master WHERE type = ?1 "
                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
  objects.Bind(1, FromUtf8(kind));
  std::vector<Text> names;
  while (objects.Step()) names.push_back(objects.ColumnText(0));
  return names;
}

Statement::Statement(const SqliteDatabase& db, std::string_view sql) : db_(db.Handle()) {
  const int code =
      sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code);
}

Statement::~Statement() {
  sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, const Text& value) {
  const std::string utf8 = ToUtf8(value);
  sqlite3_bind_text(statement_, index, utf8.data(), static_cast<int>(utf8.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
  return *this;
}

Statement& Statement::BindNull(int index) {
  sqlite3_bind_null(statement_, index);
  return *this;
}

bool Statement::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  ThrowSqliteError(db_, code);
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

Text Statement::ColumnText(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  const int bytes = sqlite3_column_bytes(statement_, column);
  return text ? FromUtf8(std::string_view(text, static_cast<std::size_t>(bytes))) : Text();
}

std::int64_t Statement::ColumnInt(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string QuotedIdentifier(const std::string& name) {
  std::string out = "\"";
  for (const char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace korvane::linux_edition
