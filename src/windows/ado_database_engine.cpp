#include "windows/ado_database_engine.h"

#include <utility>

#include "windows/wait_cursor.h"

namespace korvane::windows {
namespace {

class AdoConnection final : public Connection {
 public:
  explicit AdoConnection(AutomationObject connection) : connection_(std::move(connection)) {}

  void SetProvider(const Text& provider) override {
    Call(connection_, L"Provider", CallKind::kPut, {Variant(provider)});
  }
  void SetConnectionString(const Text& connectionString) override {
    Call(connection_, L"ConnectionString", CallKind::kPut, {Variant(connectionString)});
  }
  void Open(const Text& connectionString, const Text& userId, const Text& password,
            int options) override {
    Call(connection_, L"Open", CallKind::kMethod,
         {Variant(connectionString), Variant(userId), Variant(password), Variant(options)});
  }
  Text ConnectionString() override {
    return Call(connection_, L"ConnectionString", CallKind::kGet).ToText(connection_.className);
  }
  void Close() override { Call(connection_, L"Close", CallKind::kMethod); }

 private:
  AutomationObject connection_;
};

class AdoRecordset final : public Recordset {
 public:
  explicit AdoRecordset(AutomationObject recordset) : recordset_(std::move(recordset)) {}

  void Open(const Text& sql, const Text& connectionText, int cursorType, int lockType,
            int options) override {
    Call(recordset_, L"Open", CallKind::kMethod,
         {Variant(sql), Variant(connectionText), Variant(cursorType), Variant(lockType),
          Variant(options)});
  }
  // Fields(0).Value: the collection, its item 0, the item's value.
  Text FirstFieldText() override {
    const Text& name = recordset_.className;
    const AutomationObject fields{Call(recordset_, L"Fields", CallKind::kGet).ToDispatch(name),
                                  name};
    const AutomationObject field{
        Call(fields, L"Item", CallKind::kMethodOrGet, {Variant(0)}).ToDispatch(name), name};
    return Call(field, L"Value", CallKind::kGet).ToText(name);
  }
  void Close() override { Call(recordset_, L"Close", CallKind::kMethod); }

 private:
  AutomationObject recordset_;
};

class JroCompactionEngine final : public CompactionEngine {
 public:
  explicit JroCompactionEngine(AutomationObject engine) : engine_(std::move(engine)) {}

  void CompactDatabase(const Text& sourceConnection, const Text& destinationConnection) override {
    WaitCursor busy;
    Call(engine_, L"CompactDatabase", CallKind::kMethod,
         {Variant(sourceConnection), Variant(destinationConnection)});
  }

 private:
  AutomationObject engine_;
};

}  // namespace

std::unique_ptr<Connection> AdoDatabaseEngine::CreateConnection() {
  return std::make_unique<AdoConnection>(factory_.CreateObject(kConnectionClass));
}

std::unique_ptr<Recordset> AdoDatabaseEngine::CreateRecordset() {
  return std::make_unique<AdoRecordset>(factory_.CreateObject(kRecordsetClass));
}

std::unique_ptr<CompactionEngine> AdoDatabaseEngine::CreateCompactionEngine() {
  return std::make_unique<JroCompactionEngine>(factory_.CreateObject(kJetEngineClass));
}

}  // namespace korvane::windows
