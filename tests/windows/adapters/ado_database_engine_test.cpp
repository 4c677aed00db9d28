// The ADO and JRO adapter against recording automation objects: the members
// it calls, its arguments in order with their types, and its errors.

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "platform/error.h"
#include "recording_dispatch.h"
#include "windows/ado_database_engine.h"

namespace korvane::windows::test {
namespace {

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kMethodOrGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

RecordedArgument Bstr(const std::wstring& text) {
  return {VT_BSTR, text};
}
RecordedArgument I4(int number) {
  return {VT_I4, std::to_wstring(number)};
}

class AdoAdapterTest : public testing::Test {
 protected:
  AdoAdapterTest() {
    factory.Register(u"ADODB.Connection", connection);
    factory.Register(u"ADODB.Recordset", recordset);
    factory.Register(u"JRO.JetEngine", jetEngine);
  }

  // Fields answers the collection, whose Item answers the field.
  void ChainFields() {
    recordset->On(L"Fields", Returns(ObjectValue(fields)));
    fields->On(L"Item", Returns(ObjectValue(field)));
  }

  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  ComPtr<RecordingDispatch> connection = MakeRecordingDispatch(L"connection", log);
  ComPtr<RecordingDispatch> recordset = MakeRecordingDispatch(L"recordset", log);
  ComPtr<RecordingDispatch> fields = MakeRecordingDispatch(L"fields", log);
  ComPtr<RecordingDispatch> field = MakeRecordingDispatch(L"field", log);
  ComPtr<RecordingDispatch> jetEngine = MakeRecordingDispatch(L"jetEngine", log);
  RecordingFactory factory;
  AdoDatabaseEngine engine{factory};
};

TEST_F(AdoAdapterTest, ConnectionIsSetOpenedReadAndClosedAsAdoExpects) {
  const std::wstring expanded =
      L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\\App\\系统前端.mde";
  connection->On(L"ConnectionString", Returns(Variant(Text(expanded.begin(), expanded.end()))));

  auto opened = engine.CreateConnection();
  opened->SetProvider(kJetProvider);
  opened->SetConnectionString(u"Data Source=D:\\App\\系统前端.mde ;user id=qorvu");
  opened->Open(u"", u"", u"", -1);
  EXPECT_EQ(opened->ConnectionString(), Text(expanded.begin(), expanded.end()));
  opened->Close();

  const CallLog expected{
      {L"connection", L"Provider", kPut, {Bstr(L"Microsoft.Jet.OLEDB.4.0")}, true},
      {L"connection",
       L"ConnectionString",
       kPut,
       {Bstr(L"Data Source=D:\\App\\系统前端.mde ;user id=qorvu")},
       true},
      {L"connection", L"Open", kMethod, {Bstr(L""), Bstr(L""), Bstr(L""), I4(-1)}, false},
      {L"connection", L"ConnectionString", kGet, {}, false},
      {L"connection", L"Close", kMethod, {}, false},
  };
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(factory.Requests(), std::vector<Text>{u"create ADODB.Connection"});
}

TEST_F(AdoAdapterTest, RecordsetOpensOnConnectionTextAndReadsFieldZero) {
  ChainFields();
  field->On(L"Value", Returns(Variant(Text(u"D:\\share\\data.mdb"))));

  auto opened = engine.CreateRecordset();
  opened->Open(u" SELECT Database FROM MSysObjects", u"Data Source=x", 2, 3, -1);
  EXPECT_EQ(opened->FirstFieldText(), u"D:\\share\\data.mdb");
  opened->Close();

  const CallLog expected{
      {L"recordset",
       L"Open",
       kMethod,
       {Bstr(L" SELECT Database FROM MSysObjects"), Bstr(L"Data Source=x"), I4(2), I4(3), I4(-1)},
       false},
      {L"recordset", L"Fields", kGet, {}, false},
      {L"fields", L"Item", kMethodOrGet, {I4(0)}, false},
      {L"field", L"Value", kGet, {}, false},
      {L"recordset", L"Close", kMethod, {}, false},
  };
  EXPECT_EQ(*log, expected);
}

TEST_F(AdoAdapterTest, CompactionCallsTheJetEngineWithSourceThenDestination) {
  auto compaction = engine.CreateCompactionEngine();
  compaction->CompactDatabase(u"Data Source=D:\\share\\data.mdb",
                              u"Data Source=D:\\share\\data备份.mdb");
  const CallLog expected{
      {L"jetEngine",
       L"CompactDatabase",
       kMethod,
       {Bstr(L"Data Source=D:\\share\\data.mdb"), Bstr(L"Data Source=D:\\share\\data备份.mdb")},
       false},
  };
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(factory.Requests(), std::vector<Text>{u"create JRO.JetEngine"});
}

TEST_F(AdoAdapterTest, FieldValuesBecomeTextAndNullRaises) {
  ChainFields();
  auto opened = engine.CreateRecordset();
  field->On(L"Value", Returns(Variant(42)));
  EXPECT_EQ(opened->FirstFieldText(), u"42");

  // A Null value is no text: it raises rather than read as empty.
  Variant null;
  null.Raw().vt = VT_NULL;
  field->On(L"Value", Returns(null));
  EXPECT_THROW(opened->FirstFieldText(), Error);
}

// A VARIANT_BOOL, as ADO answers EOF.
Variant Boolean(bool value) {
  Variant boolean;
  boolean.Raw().vt = VT_BOOL;
  boolean.Raw().boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return boolean;
}

// The catalogue's own connection, the recordsets ADO hands it and their
// fields.
class AdoCatalogTest : public AdoAdapterTest {
 protected:
  ComPtr<RecordingDispatch> schema = MakeRecordingDispatch(L"schema", log);
  ComPtr<RecordingDispatch> nameField = MakeRecordingDispatch(L"nameField", log);
  ComPtr<RecordingDispatch> typeField = MakeRecordingDispatch(L"typeField", log);
  ComPtr<RecordingDispatch> counted = MakeRecordingDispatch(L"counted", log);
};

TEST_F(AdoCatalogTest, OpensAndClosesAConnectionOfItsOwn) {
  auto catalog = engine.CreateCatalog();
  catalog->Open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\\share\\data.mdb");
  catalog->Close();
  const CallLog expected{
      {L"connection",
       L"Open",
       kMethod,
       {Bstr(L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\\share\\data.mdb"), Bstr(L""),
        Bstr(L""), I4(-1)},
       false},
      {L"connection", L"Close", kMethod, {}, false},
  };
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(factory.Requests(), std::vector<Text>{u"create ADODB.Connection"});
}

TEST_F(AdoCatalogTest, ListsTheSchemaRowsButViewsAndClosesTheSchema) {
  connection->On(L"OpenSchema", Returns(ObjectValue(schema)));
  schema->OnEach(L"EOF", {Returns(Boolean(false)), Returns(Boolean(false)), Returns(Boolean(false)),
                          Returns(Boolean(true))});
  schema->On(L"Fields", Returns(ObjectValue(fields)));
  nameField->OnEach(L"Value",
                    {Returns(Variant(Text(u"代码"))), Returns(Variant(Text(u"MSysObjects"))),
                     Returns(Variant(Text(u"现金科目")))});
  typeField->OnEach(L"Value",
                    {Returns(Variant(Text(u"TABLE"))), Returns(Variant(Text(u"ACCESS TABLE"))),
                     Returns(Variant(Text(u"VIEW")))});
  // Item answers the name field, then the type field, then again.
  fields->OnEach(L"Item", {Returns(ObjectValue(nameField)), Returns(ObjectValue(typeField)),
                           Returns(ObjectValue(nameField)), Returns(ObjectValue(typeField)),
                           Returns(ObjectValue(nameField)), Returns(ObjectValue(typeField))});

  const ULONG held = schema->References();  // the test's and its script's
  auto catalog = engine.CreateCatalog();
  EXPECT_EQ(catalog->TableNames(), (std::vector<Text>{u"代码", u"MSysObjects"}));

  CallLog expected{{L"connection", L"OpenSchema", kMethod, {I4(20)}, false}};
  for (int row = 0; row < 3; ++row) {
    expected.push_back({L"schema", L"EOF", kGet, {}, false});
    for (const auto& [column, field] :
         {std::pair{L"TABLE_NAME", L"nameField"}, std::pair{L"TABLE_TYPE", L"typeField"}}) {
      expected.push_back({L"schema", L"Fields", kGet, {}, false});
      expected.push_back({L"fields", L"Item", kMethodOrGet, {Bstr(column)}, false});
      expected.push_back({field, L"Value", kGet, {}, false});
    }
    expected.push_back({L"schema", L"MoveNext", kMethod, {}, false});
  }
  expected.push_back({L"schema", L"EOF", kGet, {}, false});
  expected.push_back({L"schema", L"Close", kMethod, {}, false});
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(schema->References(), held);  // the adapter let it go
}

TEST_F(AdoCatalogTest, CountsRowsWithAQueryOnTheBracketedName) {
  connection->On(L"Execute", Returns(ObjectValue(counted)));
  counted->On(L"Fields", Returns(ObjectValue(fields)));
  fields->On(L"Item", Returns(ObjectValue(field)));
  field->On(L"Value", Returns(Variant(1234)));

  const ULONG held = counted->References();
  auto catalog = engine.CreateCatalog();
  EXPECT_EQ(catalog->RowCount(u"人员 编码"), 1234);

  const CallLog expected{
      {L"connection", L"Execute", kMethod, {Bstr(L"SELECT COUNT(*) FROM [人员 编码]")}, false},
      {L"counted", L"Fields", kGet, {}, false},
      {L"fields", L"Item", kMethodOrGet, {I4(0)}, false},
      {L"field", L"Value", kGet, {}, false},
      {L"counted", L"Close", kMethod, {}, false},
  };
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(counted->References(), held);
}

// The count as the provider delivers it: Jet gives VT_I4, others wider or
// narrower integers; what holds no whole number raises.
struct CountValue {
  const char* name;
  VARTYPE type;
  LONGLONG value;  // read as the type's member
  std::optional<std::int64_t> rows;
};

void PrintTo(const CountValue& row, std::ostream* out) {
  *out << row.name;
}

class CountValueTest : public AdoCatalogTest, public testing::WithParamInterface<CountValue> {};

TEST_P(CountValueTest, IsReadAsANumberOrRaises) {
  connection->On(L"Execute", Returns(ObjectValue(counted)));
  counted->On(L"Fields", Returns(ObjectValue(fields)));
  fields->On(L"Item", Returns(ObjectValue(field)));
  Variant value;
  value.Raw().vt = GetParam().type;
  value.Raw().llVal = GetParam().value;  // the low part for narrower types
  field->On(L"Value", Returns(value));

  const ULONG held = counted->References();
  auto catalog = engine.CreateCatalog();
  if (GetParam().rows) {
    EXPECT_EQ(catalog->RowCount(u"代码"), *GetParam().rows);
  } else {
    EXPECT_THROW(catalog->RowCount(u"代码"), Error);
  }
  EXPECT_EQ(counted->References(), held);
}

INSTANTIATE_TEST_SUITE_P(Types, CountValueTest,
                         testing::Values(CountValue{"I4", VT_I4, 70000, 70000},
                                         CountValue{"I2", VT_I2, 7, 7},
                                         CountValue{"I8", VT_I8, 5000000000LL, 5000000000LL},
                                         CountValue{"Null", VT_NULL, 0, std::nullopt},
                                         CountValue{"Empty", VT_EMPTY, 0, std::nullopt},
                                         CountValue{"Double", VT_R8, 0, std::nullopt}),
                         [](const testing::TestParamInfo<CountValue>& info) {
                           return std::string(info.param.name);
                         });

// How a failing call becomes the launcher's error.
struct ErrorCase {
  const char* name;
  Answer answer;
  std::int32_t number;
  std::u16string description;  // empty: any non-empty text
  std::u16string source;
};

// An answer failing with `failure`; with DISP_E_EXCEPTION the codes and
// texts come in EXCEPINFO, otherwise the texts (if any) through IErrorInfo.
Answer Failing(HRESULT failure, HRESULT scode = S_OK, WORD wCode = 0,
               std::wstring description = L"", std::wstring source = L"") {
  Answer answer;
  answer.failure = failure;
  answer.exception.scode = scode;
  answer.exception.wCode = wCode;
  answer.throughErrorInfo = failure != DISP_E_EXCEPTION && !description.empty();
  answer.description = std::move(description);
  answer.source = std::move(source);
  return answer;
}

Answer UnknownName() {
  Answer answer;
  answer.unknownName = true;
  return answer;
}

class ErrorMappingTest : public AdoAdapterTest, public testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorMappingTest, CarriesNumberDescriptionAndSource) {
  const ErrorCase& mapping = GetParam();
  connection->On(L"Open", mapping.answer);
  auto opened = engine.CreateConnection();
  try {
    opened->Open(u"", u"", u"", -1);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), mapping.number);
    if (mapping.description.empty()) {
      EXPECT_FALSE(error.Description().empty());
    } else {
      EXPECT_EQ(error.Description(), mapping.description);
    }
    EXPECT_EQ(error.Source(), mapping.source);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ErrorMappingTest,
    testing::Values(
        ErrorCase{"ExceptionWithTexts",
                  Failing(DISP_E_EXCEPTION, E_FAIL, 0, L"找不到文件 'D:\\a.mdb'。",
                          L"Microsoft JET Database Engine"),
                  static_cast<std::int32_t>(E_FAIL), u"找不到文件 'D:\\a.mdb'。",
                  u"Microsoft JET Database Engine"},
        // Wine's ADO without Jet: an exception without any text.
        ErrorCase{"ExceptionWithoutTexts", Failing(DISP_E_EXCEPTION, CO_E_CLASSSTRING),
                  static_cast<std::int32_t>(0x800401F3), u"", u"ADODB.Connection"},
        ErrorCase{"ExceptionWithNumberOnly", Failing(DISP_E_EXCEPTION, S_OK, 3024), 3024, u"",
                  u"ADODB.Connection"},
        ErrorCase{"FailureWithErrorInfo",
                  Failing(E_FAIL, S_OK, 0, L"Operation is not allowed.", L"ADODB.Connection.2"),
                  static_cast<std::int32_t>(E_FAIL), u"Operation is not allowed.",
                  u"ADODB.Connection.2"},
        ErrorCase{"FailureWithoutTexts", Failing(static_cast<HRESULT>(0x800A0E7D)),
                  static_cast<std::int32_t>(0x800A0E7D), u"", u"ADODB.Connection"},
        ErrorCase{"UnknownMember", UnknownName(), static_cast<std::int32_t>(DISP_E_UNKNOWNNAME),
                  u"", u"ADODB.Connection"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::windows::test
