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
