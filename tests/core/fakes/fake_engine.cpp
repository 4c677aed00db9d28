#include "fakes/fake_engine.h"

namespace korvane::testing {
namespace {

// The data source a connection string names: the text after "Data Source=".
Text DataSourceOf(const Text& connectionString) {
  constexpr TextView key = u"Data Source=";
  const auto at = connectionString.find(key);
  return at == Text::npos ? Text() : connectionString.substr(at + key.size());
}

Error EngineError(const char16_t* description) {
  return Error(-2147467259, description, u"FakeEngine");
}

// An object of the engine, entering its calls in the engine's log.
class EngineObject {
 public:
  explicit EngineObject(FakeEngine& engine) : engine_(engine) {}

 protected:
  void Enter(std::string operation, std::vector<Text> arguments = {}) {
    engine_.log.Enter(std::move(operation), std::move(arguments));
  }
  FakeEngine& engine_;
};

class FakeConnection : public Connection, EngineObject {
 public:
  using EngineObject::EngineObject;
  void SetProvider(const Text& provider) override { Enter("Connection.SetProvider", {provider}); }
  void SetConnectionString(const Text& text) override {
    Enter("Connection.SetConnectionString", {text});
    text_ = text;
  }
  void Open(const Text& text, const Text& user, const Text& password, int options) override {
    Enter("Connection.Open", {text, user, password, Arg(options)});
    open_ = true;
  }
  Text ConnectionString() override {
    Enter("Connection.ConnectionString");
    return open_ ? FakeEngine::Expanded(text_) : text_;
  }
  void Close() override {
    Enter("Connection.Close");
    open_ = false;
  }

 private:
  Text text_;
  bool open_ = false;
};

class FakeRecordset : public Recordset, EngineObject {
 public:
  using EngineObject::EngineObject;
  void Open(const Text& sql, const Text& connection, int cursor, int lock, int options) override {
    Enter("Recordset.Open", {sql, connection, Arg(cursor), Arg(lock), Arg(options)});
  }
  Text FirstFieldText() override {
    Enter("Recordset.FirstFieldText");
    if (!engine_.firstRow) throw EngineError(u"BOF 或 EOF 中有一个是真");
    return *engine_.firstRow;
  }
  void Close() override { Enter("Recordset.Close"); }
};

class FakeCompaction : public CompactionEngine, EngineObject {
 public:
  using EngineObject::EngineObject;
  void CompactDatabase(const Text& source, const Text& destination) override {
    Enter("CompactDatabase", {source, destination});
    const auto content = engine_.host.Content(DataSourceOf(source));
    if (!content) throw EngineError(u"找不到文件");
    if (engine_.host.Has(DataSourceOf(destination))) throw EngineError(u"数据库已存在");
    engine_.host.PutFile(DataSourceOf(destination), FakeEngine::Compacted(*content));
    if (engine_.afterCompaction) engine_.afterCompaction();
  }
};

class FakeCatalog : public DatabaseCatalog, EngineObject {
 public:
  using EngineObject::EngineObject;
  void Open(const Text& connectionText) override {
    Enter("Catalog.Open", {connectionText});
    const auto content = engine_.host.Content(DataSourceOf(connectionText));
    const bool compacted = content && content->starts_with(FakeEngine::Compacted(""));
    tables_ = compacted ? engine_.compactedTables.value_or(engine_.tables) : engine_.tables;
  }
  std::vector<CatalogTable> Tables() override {
    Enter("Catalog.Tables");
    std::vector<CatalogTable> entries;
    for (const auto& table : tables_) entries.push_back({table.name, table.type});
    return entries;
  }
  std::int64_t RowCount(const Text& table) override {
    Enter("Catalog.RowCount", {table});
    for (const auto& held : tables_) {
      if (held.name == table && held.rows >= 0) return held.rows;
    }
    throw EngineError(u"找不到输入表");
  }
  void Close() override { Enter("Catalog.Close"); }

 private:
  std::vector<FakeEngine::Table> tables_;
};

}  // namespace

std::unique_ptr<Connection> FakeEngine::CreateConnection() {
  log.Enter("CreateConnection");
  return std::make_unique<FakeConnection>(*this);
}

std::unique_ptr<Recordset> FakeEngine::CreateRecordset() {
  log.Enter("CreateRecordset");
  return std::make_unique<FakeRecordset>(*this);
}

std::unique_ptr<CompactionEngine> FakeEngine::CreateCompactionEngine() {
  log.Enter("CreateCompactionEngine");
  return std::make_unique<FakeCompaction>(*this);
}

std::unique_ptr<DatabaseCatalog> FakeEngine::CreateCatalog() {
  log.Enter("CreateCatalog");
  return std::make_unique<FakeCatalog>(*this);
}

}  // namespace korvane::testing
