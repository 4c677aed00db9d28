#include "fakes/fake_engine.h"

#include <utility>

namespace korvane::testing {
namespace {

constexpr char16_t kSource[] = u"FakeEngine";

Error EngineError(const char16_t* description) {
  return Error(-2147467259, description, kSource);
}

// Counts itself among the engine's live objects while it exists.
class Counted {
 public:
  explicit Counted(FakeEngine& engine) : engine_(engine) { ++engine_.live; }
  ~Counted() { --engine_.live; }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

 protected:
  FakeEngine& engine_;
};

class FakeConnection : public Connection, Counted {
 public:
  using Counted::Counted;
  void SetProvider(const Text& provider) override {
    engine_.log().Enter("Connection.SetProvider", {provider});
  }
  void SetConnectionString(const Text& text) override {
    engine_.log().Enter("Connection.SetConnectionString", {text});
    text_ = text;
  }
  void Open(const Text& text, const Text& user, const Text& password, int options) override {
    engine_.log().Enter("Connection.Open", {text, user, password, Arg(options)});
    open_ = true;
  }
  Text ConnectionString() override {
    engine_.log().Enter("Connection.ConnectionString");
    return open_ ? FakeEngine::Expanded(text_) : text_;
  }
  void Close() override {
    engine_.log().Enter("Connection.Close");
    if (!open_) engine_.log().Raise(EngineError(u"对象关闭时不允许操作"));
    open_ = false;
  }

 private:
  Text text_;
  bool open_ = false;
};

class FakeRecordset : public Recordset, Counted {
 public:
  using Counted::Counted;
  void Open(const Text& sql, const Text& connection, int cursor, int lock, int options) override {
    engine_.log().Enter("Recordset.Open", {sql, connection, Arg(cursor), Arg(lock), Arg(options)});
    if (connection.empty()) engine_.log().Raise(EngineError(u"未指定连接"));
    open_ = true;
  }
  Text FirstFieldText() override {
    engine_.log().Enter("Recordset.FirstFieldText");
    if (!open_ || !engine_.firstRow) engine_.log().Raise(EngineError(u"BOF 或 EOF 中有一个是真"));
    return *engine_.firstRow;
  }
  void Close() override {
    engine_.log().Enter("Recordset.Close");
    if (!open_) engine_.log().Raise(EngineError(u"对象关闭时不允许操作"));
    open_ = false;
  }

 private:
  bool open_ = false;
};

class FakeCompaction : public CompactionEngine, Counted {
 public:
  using Counted::Counted;
  void CompactDatabase(const Text& source, const Text& destination) override {
    engine_.log().Enter("CompactDatabase", {source, destination});
    FakeHost& host = engine_.host();
    const Text from = DataSourceOf(source);
    const Text to = DataSourceOf(destination);
    const auto file = host.File(from);
    if (!file) engine_.log().Raise(EngineError(u"找不到文件"));
    if (file->locked) engine_.log().Raise(EngineError(u"文件已在使用中"));
    if (host.Has(to)) engine_.log().Raise(EngineError(u"数据库已存在"));
    host.PutFile(to, FakeEngine::Compacted(file->content));
  }
};

class FakeCatalog : public DatabaseCatalog, Counted {
 public:
  using Counted::Counted;
  ~FakeCatalog() override { Release(); }
  void Open(const Text& connectionText) override {
    engine_.log().Enter("Catalog.Open", {connectionText});
    if (path_) engine_.log().Raise(EngineError(u"对象打开时不允许操作"));
    const Text path = DataSourceOf(connectionText);
    const auto file = engine_.host().File(path);
    if (!file) engine_.log().Raise(EngineError(u"找不到文件"));
    if (file->locked) engine_.log().Raise(EngineError(u"文件已在使用中"));
    const bool compacted = file->content.starts_with(FakeEngine::Compacted(""));
    tables_ = compacted ? engine_.compactedTables.value_or(engine_.tables) : engine_.tables;
    engine_.host().SetLocked(path);
    path_ = path;
  }
  std::vector<Text> TableNames() override {
    engine_.log().Enter("Catalog.TableNames");
    RaiseUnlessOpen();
    std::vector<Text> names;
    for (const auto& table : tables_) names.push_back(table.name);
    return names;
  }
  std::int64_t RowCount(const Text& table) override {
    engine_.log().Enter("Catalog.RowCount", {table});
    RaiseUnlessOpen();
    for (const auto& held : tables_) {
      if (held.name == table) return held.rows;
    }
    engine_.log().Raise(EngineError(u"找不到输入表"));
  }
  void Close() override {
    engine_.log().Enter("Catalog.Close");
    RaiseUnlessOpen();
    Release();
  }

 private:
  void RaiseUnlessOpen() {
    if (!path_) engine_.log().Raise(EngineError(u"对象关闭时不允许操作"));
  }
  void Release() {
    const auto path = std::exchange(path_, std::nullopt);
    if (path && engine_.host().Has(*path)) engine_.host().SetLocked(*path, false);
  }

  std::optional<Text> path_;  // the file held while open
  std::vector<FakeEngine::Table> tables_;
};

}  // namespace

Text FakeEngine::Expanded(const Text& connectionString) {
  return Text(u"Provider=") + kJetProvider + u";" + connectionString;
}

std::string FakeEngine::Compacted(const std::string& content) {
  return "compacted " + content;
}

Text DataSourceOf(const Text& connectionString) {
  constexpr TextView key = u"Data Source=";
  const auto at = connectionString.find(key);
  return at == Text::npos ? Text() : connectionString.substr(at + key.size());
}

std::unique_ptr<Connection> FakeEngine::CreateConnection() {
  log_.Enter("CreateConnection");
  return std::make_unique<FakeConnection>(*this);
}

std::unique_ptr<Recordset> FakeEngine::CreateRecordset() {
  log_.Enter("CreateRecordset");
  return std::make_unique<FakeRecordset>(*this);
}

std::unique_ptr<CompactionEngine> FakeEngine::CreateCompactionEngine() {
  log_.Enter("CreateCompactionEngine");
  return std::make_unique<FakeCompaction>(*this);
}

std::unique_ptr<DatabaseCatalog> FakeEngine::CreateCatalog() {
  log_.Enter("CreateCatalog");
  return std::make_unique<FakeCatalog>(*this);
}

}  // namespace korvane::testing
