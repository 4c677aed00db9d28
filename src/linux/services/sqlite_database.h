#pragma once
// Thin ownership of SQLite handles. Failures raise korvane::Error through
// the engine's errors (engine_errors.h), carrying SQLite's own words.

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

class SqliteDatabase {
 public:
  // Opens an existing file read-only or read-write (never creating it), or
  // creates a new one with kCreate. `shownPath` names the file in errors.
  enum class Mode { kReadOnly, kReadWrite, kCreate };
  SqliteDatabase(const std::string& posixPath, Mode mode, const Text& shownPath);
  SqliteDatabase(SqliteDatabase&& other) noexcept;
  SqliteDatabase& operator=(SqliteDatabase&&) = delete;
  SqliteDatabase(const SqliteDatabase&) = delete;
  ~SqliteDatabase();

  sqlite3* Handle() const { return db_; }
  // Runs statements without results.
  void Execute(const std::string& sql) const;
  // True when `schema` ("main", an attached name) has a table of that name.
  bool HasTable(const std::string& schema, const std::string& table) const;
  // The objects of one kind ("table", "view") of the main schema in the
  // order they were made, SQLite's own ("sqlite_…") left out.
  std::vector<Text> Names(const char* kind) const;

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(const SqliteDatabase& db, std::string_view sql);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  Statement& Bind(int index, const Text& value);
  Statement& Bind(int index, std::int64_t value);
  Statement& BindNull(int index);
  // True while a row is delivered; raises on failure.
  bool Step();
  bool IsNull(int column) const;
  Text ColumnText(int column) const;
  std::int64_t ColumnInt(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

// `name` as a quoted SQL identifier.
std::string QuotedIdentifier(const std::string& name);

// The engine's error for SQLite's last failure on `db`.
[[noreturn]] void ThrowSqliteError(sqlite3* db, int code);

}  // namespace korvane::linux_edition
