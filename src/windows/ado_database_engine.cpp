#include "windows/ado_database_engine.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "windows/automation_error.h"
#include "windows/wait_cursor.h"

namespace korvane::windows {
namespace {

// adSchemaTables: one row per table of every kind, saved queries included.
constexpr std::int32_t kSchemaTables = 20;

// recordset.Fields.Item(index).Value: the collection, the item, its value.
Variant FieldValue(const AutomationObject& recordset, const Variant& index) {
  const Text& name = recordset.className;
  const AutomationObject fields{Call(recordset, L"Fields", CallKind::kGet).ToDispatch(name), name};
  const AutomationObject field{
      Call(fields, L"Item", CallKind::kMethodOrGet, {index}).ToDispatch(name), name};
  return Call(field, L"Value", CallKind::kGet);
}

// `value` converted to `type` as automation converts it; raises the
// conversion's HRESULT.
Variant Converted(const Variant& value, VARTYPE type, const Text& source) {
  Variant converted;
  const HRESULT result =
      VariantChangeType(&converted.Raw(), const_cast<VARIANT*>(&value.Raw()), 0, type);
  if (FAILED(result)) throw AutomationError(result, u"", source);
  return converted;
}

// A row count: an integer of any width, never Empty, Null or a fraction.
std::int64_t CountOf(const Variant& value, const Text& source) {
  switch (value.Type()) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
      return Converted(value, VT_I8, source).Raw().llVal;
    default:
      throw AutomationError(DISP_E_TYPEMISMATCH, u"", source);
  }
}

// A recordset an ADO call returned.
AutomationObject ReturnedRecordset(const Variant& value) {
  return {value.ToDispatch(kRecordsetClass), kRecordsetClass};
}

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

  const AutomationObject& Object() const { return connection_; }

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
  Text FirstFieldText() override {
    return FieldValue(recordset_, Variant(0)).ToText(recordset_.className);
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

// A connection of its own: the table list from its schema rowset of tables,
// each count from a query it executes.
class AdoCatalog final : public DatabaseCatalog {
 public:
  explicit AdoCatalog(AutomationObject connection) : connection_(std::move(connection)) {}

  void Open(const Text& connectionText) override {
    connection_.Open(connectionText, Text(), Text(), kNoOptions);
  }
  std::vector<CatalogTable> Tables() override {
    const AutomationObject schema = ReturnedRecordset(
        Call(connection_.Object(), L"OpenSchema", CallKind::kMethod, {Variant(kSchemaTables)}));
    const Text& source = schema.className;
    std::vector<CatalogTable> tables;
    while (!Converted(Call(schema, L"EOF", CallKind::kGet), VT_BOOL, source).Raw().boolVal) {
      tables.push_back({FieldValue(schema, Variant(Text(u"TABLE_NAME"))).ToText(source),
                        FieldValue(schema, Variant(Text(u"TABLE_TYPE"))).ToText(source)});
      Call(schema, L"MoveNext", CallKind::kMethod);
    }
    Call(schema, L"Close", CallKind::kMethod);
    return tables;
  }
  std::int64_t RowCount(const Text& table) override {
    const AutomationObject counted =
        ReturnedRecordset(Call(connection_.Object(), L"Execute", CallKind::kMethod,
                               {Variant(u"SELECT COUNT(*) FROM [" + table + u"]")}));
    const std::int64_t rows = CountOf(FieldValue(counted, Variant(0)), counted.className);
    Call(counted, L"Close", CallKind::kMethod);
    return rows;
  }
  void Close() override { connection_.Close(); }

 private:
  AdoConnection connection_;
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

std::unique_ptr<DatabaseCatalog> AdoDatabaseEngine::CreateCatalog() {
  return std::make_unique<AdoCatalog>(factory_.CreateObject(kConnectionClass));
}

}  // namespace korvane::windows
