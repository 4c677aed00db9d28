// The ADO and JRO adapter against recording automation objects: the members
// it calls, its arguments in order with their types, and its errors.

#include <gtest/gtest.h>

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
  Answer readBack;
  readBack.result = Variant(Text(expanded.begin(), expanded.end()));
  connection->On(L"ConnectionString", readBack);

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
  Answer fieldsAnswer;
  fieldsAnswer.result = ObjectValue(*fields);
  recordset->On(L"Fields", fieldsAnswer);
  Answer itemAnswer;
  itemAnswer.result = ObjectValue(*field);
  fields->On(L"Item", itemAnswer);
  Answer value;
  value.result = Variant(Text(u"D:\\share\\data.mdb"));
  field->On(L"Value", value);

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
  Answer fieldsAnswer;
  fieldsAnswer.result = ObjectValue(*fields);
  recordset->On(L"Fields", fieldsAnswer);
  Answer itemAnswer;
  itemAnswer.result = ObjectValue(*field);
  fields->On(L"Item", itemAnswer);
  auto opened = engine.CreateRecordset();

  Answer number;
  number.result = Variant(42);
  field->On(L"Value", number);
  EXPECT_EQ(opened->FirstFieldText(), u"42");

  Answer null;
  null.result.Raw().vt = VT_NULL;
  field->On(L"Value", null);
  EXPECT_THROW(opened->FirstFieldText(), Error);
}

TEST_F(AdoAdapterTest, UnregisteredClassRaisesOnCreation) {
  RecordingFactory empty;
  AdoDatabaseEngine bare(empty);
  try {
    bare.CreateCompactionEngine();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), static_cast<std::int32_t>(CO_E_CLASSSTRING));
    EXPECT_EQ(error.Source(), u"JRO.JetEngine");
    EXPECT_FALSE(error.Description().empty());
  }
}

// How a failing call becomes the launcher's error.
struct ErrorCase {
  const char* name;
  Answer answer;
  std::int32_t number;
  std::u16string description;  // empty: any non-empty text
  std::u16string source;
};

Answer Exception(HRESULT scode, WORD wCode, std::wstring description, std::wstring source,
                 bool deferred = false) {
  Answer answer;
  answer.failure = DISP_E_EXCEPTION;
  answer.exception.scode = scode;
  answer.exception.wCode = wCode;
  answer.description = std::move(description);
  answer.source = std::move(source);
  answer.deferred = deferred;
  return answer;
}

Answer Failure(HRESULT failure, bool throughErrorInfo = false, std::wstring description = L"",
               std::wstring source = L"") {
  Answer answer;
  answer.failure = failure;
  answer.throughErrorInfo = throughErrorInfo;
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
                  Exception(static_cast<HRESULT>(0x80004005), 0, L"找不到文件 'D:\\a.mdb'。",
                            L"Microsoft JET Database Engine"),
                  static_cast<std::int32_t>(0x80004005), u"找不到文件 'D:\\a.mdb'。",
                  u"Microsoft JET Database Engine"},
        // Wine's ADO without Jet: an exception without any text.
        ErrorCase{"ExceptionWithoutTexts", Exception(static_cast<HRESULT>(0x800401F3), 0, L"", L""),
                  static_cast<std::int32_t>(0x800401F3), u"", u"ADODB.Connection"},
        ErrorCase{"ExceptionWithNumberOnly", Exception(S_OK, 3024, L"", L""), 3024, u"",
                  u"ADODB.Connection"},
        ErrorCase{"ExceptionFilledInOnDemand",
                  Exception(static_cast<HRESULT>(0x80040E4D), 0, L"Not a valid password.",
                            L"Microsoft OLE DB Provider", true),
                  static_cast<std::int32_t>(0x80040E4D), u"Not a valid password.",
                  u"Microsoft OLE DB Provider"},
        ErrorCase{"FailureWithErrorInfo",
                  Failure(E_FAIL, true, L"Operation is not allowed.", L"ADODB.Connection.2"),
                  static_cast<std::int32_t>(E_FAIL), u"Operation is not allowed.",
                  u"ADODB.Connection.2"},
        ErrorCase{"FailureWithoutTexts", Failure(static_cast<HRESULT>(0x800A0E7D)),
                  static_cast<std::int32_t>(0x800A0E7D), u"", u"ADODB.Connection"},
        ErrorCase{"UnknownMember", UnknownName(), static_cast<std::int32_t>(DISP_E_UNKNOWNNAME),
                  u"", u"ADODB.Connection"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::windows::test
