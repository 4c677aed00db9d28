#include "linux/services/sqlite_engine.h"

#include <optional>

#include "linux/services/ascii_text.h"
#include "linux/services/compaction.h"
#include "linux/services/connection_text.h"
#include "linux/services/engine_errors.h"
#include "linux/services/jet_database.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

class SqliteConnection : public Connection {
 public:
  void SetProvider(const Text& provider) override {
    RefuseWhileOpen();
    provider_ = provider;
  }
  void SetConnectionString(const Text& connectionString) override {
    RefuseWhileOpen();
    text_ = connectionString;
  }
  void Open(const Text& connectionString, const Text& userId, const Text& password,
            int /*options*/) override {
    RefuseWhileOpen();
    if (!connectionString.empty()) text_ = connectionString;
    ConnectionSettings settings = ParseConnectionText(text_);
    // A provider named in the text is the provider property set anew.
    if (!settings.provider && !provider_.empty()) settings.provider = provider_;
    if (!userId.empty()) settings.userId = userId;
    if (!password.empty()) settings.password = password;
    // The expanded form names the account the engine used.
    if (settings.userId.empty()) settings.userId = u"Admin";
    database_ = std::make_unique<JetDatabase>(settings);
    settings_ = settings;
  }
  Text ConnectionString() override { return database_ ? ExpandConnectionText(settings_) : text_; }
  void Close() override {
    if (!database_) throw EngineError(EngineFault::kObjectClosed);
    database_.reset();
  }

 private:
  void RefuseWhileOpen() const {
    if (database_) throw EngineError(EngineFault::kObjectOpen);
  }

  Text provider_;
  Text text_;
  ConnectionSettings settings_;
  std::unique_ptr<JetDatabase> database_;
};

class SqliteRecordset : public Recordset {
 public:
  void Open(const Text& sql, const Text& connectionText, int /*cursorType*/, int /*lockType*/,
            int /*options*/) override {
    if (database_) throw EngineError(EngineFault::kObjectOpen);
    if (Trimmed(connectionText).empty()) throw EngineError(EngineFault::kEmptyConnection);
    auto database = std::make_unique<JetDatabase>(ParseConnectionText(connectionText));
    auto statement = database->Prepare(sql);
    firstRow_.reset();
    if (statement->Step()) {
      firstRow_ =
          statement->IsNull(0) ? std::nullopt : std::optional<Text>(statement->ColumnText(0));
      hasRow_ = true;
    } else {
      hasRow_ = false;
    }
    statement.reset();
    database_ = std::move(database);
  }
  Text FirstFieldText() override {
    if (!database_) throw EngineError(EngineFault::kObjectClosed);
    if (!hasRow_) throw EngineError(EngineFault::kNoCurrentRecord);
    if (!firstRow_) throw EngineError(EngineFault::kNullValue);
    return *firstRow_;
  }
  void Close() override {
    if (!database_) throw EngineError(EngineFault::kObjectClosed);
    database_.reset();
  }

 private:
  std::unique_ptr<JetDatabase> database_;  // held open, as the recordset's own connection
  bool hasRow_ = false;
  std::optional<Text> firstRow_;
};

class SqliteCompactionEngine : public CompactionEngine {
 public:
  void CompactDatabase(const Text& sourceConnection, const Text& destinationConnection) override {
    Compact(ParseConnectionText(sourceConnection), ParseConnectionText(destinationConnection));
  }
};

// The catalogue of the database's own file (JetDatabase::Tables), and row
// counts through its tables, views and attached links alike.
class SqliteCatalog : public DatabaseCatalog {
 public:
  void Open(const Text& connectionText) override {
    if (database_) throw EngineError(EngineFault::kObjectOpen);
    database_ = std::make_unique<JetDatabase>(ParseConnectionText(connectionText));
  }
  std::vector<CatalogTable> Tables() override { return Opened().Tables(); }
  std::int64_t RowCount(const Text& table) override {
    const auto count =
        Opened().Prepare(u"SELECT count(*) FROM " + FromUtf8(QuotedIdentifier(ToUtf8(table))));
    count->Step();
    return count->ColumnInt(0);
  }
  void Close() override {
    Opened();
    database_.reset();
  }

 private:
  const JetDatabase& Opened() const {
    if (!database_) throw EngineError(EngineFault::kObjectClosed);
    return *database_;
  }

  std::unique_ptr<JetDatabase> database_;
};

}  // namespace

std::unique_ptr<Connection> SqliteDatabaseEngine::CreateConnection() {
  return std::make_unique<SqliteConnection>();
}

std::unique_ptr<Recordset> SqliteDatabaseEngine::CreateRecordset() {
  return std::make_unique<SqliteRecordset>();
}

std::unique_ptr<CompactionEngine> SqliteDatabaseEngine::CreateCompactionEngine() {
  return std::make_unique<SqliteCompactionEngine>();
}

std::unique_ptr<DatabaseCatalog> SqliteDatabaseEngine::CreateCatalog() {
  return std::make_unique<SqliteCatalog>();
}

}  // namespace korvane::linux_edition
