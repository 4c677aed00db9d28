#include "linux/services/jet_database.h"

#include "linux/services/ascii_text.h"
#include "linux/services/engine_errors.h"
#include "linux/services/jet_checks.h"
#include "linux/services/stand_in_format.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

// The table a "no such table: X" message names, folded; empty for other
// messages.
std::string MissingTable(const std::string& message) {
  constexpr std::string_view kPrefix = "no such table: ";
  if (message.rfind(kPrefix, 0) != 0) return {};
  std::string name = message.substr(kPrefix.size());
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name = name.substr(dot + 1);
  return ToUtf8(AsciiLowered(FromUtf8(name)));
}

}  // namespace

Text WithoutOwnerAccessOption(TextView sql) {
  std::size_t end = sql.size();
  auto skipBlanksBack = [&] {
    while (end > 0 && IsBlank(sql[end - 1])) --end;
  };
  skipBlanksBack();
  if (end > 0 && sql[end - 1] == u';') --end;
  // The clause's words, last first, each preceded by at least one blank.
  for (const TextView word : {TextView(u"option"), TextView(u"owneraccess"), TextView(u"with")}) {
    skipBlanksBack();
    if (end < word.size() || AsciiLowered(sql.substr(end - word.size(), word.size())) != word) {
      return Text(sql);
    }
    end -= word.size();
    if (end == 0 || !IsBlank(sql[end - 1])) return Text(sql);
  }
  skipBlanksBack();
  return Text(sql.substr(0, end));
}

JetDatabase::JetDatabase(const ConnectionSettings& settings)
    : database_([&] {
        CheckProvider(settings);
        CheckAccount(settings);
        const std::string path = ExistingDatabaseFile(settings.dataSource);
        locks_.push_back(SharedDatabaseLock(path, settings.dataSource));
        files_.push_back(path);
        return SqliteDatabase(path, SqliteDatabase::Mode::kReadOnly, settings.dataSource);
      }()) {
  CheckDatabasePassword(database_, "main", settings.databasePassword);
  AttachLinkedTables();
}

// Attaches `backEnd` under `schema`, holding it open; raises the engine's
// error and leaves nothing attached when it cannot be used under `password`.
void JetDatabase::AttachBackEnd(const Text& backEnd, const std::string& schema,
                                const Text& password) {
  const std::string path = ExistingDatabaseFile(backEnd);
  FileLock lock = SharedDatabaseLock(path, backEnd);
  Statement(database_, "ATTACH DATABASE ?1 AS " + QuotedIdentifier(schema))
      .Bind(1, FromUtf8(path))
      .Step();
  try {
    CheckDatabasePassword(database_, schema, password);
  } catch (const Error&) {
    // Attached tables are found by name even without a view: a back-end
    // whose password does not match must not stay reachable.
    database_.Execute("DETACH DATABASE " + QuotedIdentifier(schema));
    throw;
  }
  locks_.push_back(std::move(lock));
  files_.push_back(path);
}

void JetDatabase::AttachLinkedTables() {
  std::map<Text, std::string> schemas;  // by back-end path as stored
  std::map<Text, Error> failures;       // likewise
  for (const LinkedTable& link : ReadLinkedTables(database_)) {
    try {
      if (const auto failed = failures.find(link.database); failed != failures.end()) {
        throw failed->second;
      }
      if (!schemas.count(link.database)) {
        const std::string schema = "link" + std::to_string(schemas.size() + failures.size() + 1);
        try {
          AttachBackEnd(link.database, schema, link.databasePassword);
        } catch (const Error& error) {
          failures.emplace(link.database, error);
          throw;
        }
        schemas.emplace(link.database, schema);
      }
      database_.Execute("CREATE TEMP VIEW " + QuotedIdentifier(ToUtf8(link.name)) +
                        " AS SELECT * FROM " + QuotedIdentifier(schemas.at(link.database)) + "." +
                        QuotedIdentifier(ToUtf8(link.foreignName)));
    } catch (const Error& error) {
      failedLinks_.emplace(ToUtf8(AsciiLowered(link.name)), error);
    }
  }
}

std::vector<CatalogTable> JetDatabase::Tables() const {
  std::vector<CatalogTable> tables;
  for (const Text& name : database_.Names("table")) {
    const bool engines = StartsWithIgnoringAsciiCase(name, u"MSys");
    tables.push_back({name, engines ? u"SYSTEM TABLE" : kUserTableType});
  }
  for (const Text& name : database_.Names("view")) tables.push_back({name, u"VIEW"});
  for (const LinkedTable& link : ReadLinkedTables(database_))
    tables.push_back({link.name, u"LINK"});
  return tables;
}

std::unique_ptr<Statement> JetDatabase::Prepare(TextView sql) const {
  try {
    return std::make_unique<Statement>(database_, ToUtf8(WithoutOwnerAccessOption(sql)));
  } catch (const Error&) {
    const std::string missing = MissingTable(sqlite3_errmsg(database_.Handle()));
    if (missing.empty()) throw;
    if (const auto failed = failedLinks_.find(missing); failed != failedLinks_.end()) {
      throw failed->second;
    }
    throw EngineError(EngineFault::kTableNotFound, FromUtf8(missing));
  }
}

}  // namespace korvane::linux_edition
