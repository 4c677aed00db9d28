// The automation adapters on what no stand-in server answers on cue: how a
// failing call becomes the launcher's error, the types a row count arrives
// in, the ways a running Access has no Korvane open; and the busy filter COM
// consults while Access turns calls away. The end-to-end suite proves the
// calls themselves.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "platform/error.h"
#include "row_name.h"
#include "windows/access_automation.h"
#include "windows/ado_database_engine.h"
#include "windows/busy_server_filter.h"
#include "windows/com_apartment.h"
#include "windows/wide_text.h"

namespace korvane::windows::test {
namespace {

// What a member answers.
struct Answer {
  std::optional<Variant> result{};  // none: the object itself
  HRESULT failure = S_OK;           // DISP_E_EXCEPTION: scode and wCode in EXCEPINFO
  HRESULT scode = S_OK;
  WORD wCode = 0;
  std::wstring description{};  // otherwise through SetErrorInfo, if any
  std::wstring source{};
  bool takesArguments = true;  // false: DISP_E_BADPARAMCOUNT when given any
};

// One object for a whole chain such as CurrentDb().Properties("AppTitle")
// .Value: each member answers as set, or with the object itself.
class Fake final : public IDispatch, public ISupportErrorInfo {
 public:
  std::map<std::wstring, Answer> answers;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    *object = id == IID_ISupportErrorInfo                 ? static_cast<ISupportErrorInfo*>(this)
              : id == IID_IUnknown || id == IID_IDispatch ? static_cast<void*>(this)
                                                          : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the test
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    members_.push_back(names[0]);
    ids[0] = static_cast<DISPID>(members_.size() - 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    Answer& answer = answers[members_.at(static_cast<std::size_t>(id))];
    if (!answer.takesArguments && parameters->cArgs > 0) return DISP_E_BADPARAMCOUNT;
    if (answer.failure == DISP_E_EXCEPTION) {
      *exception = {};
      exception->scode = answer.scode;
      exception->wCode = answer.wCode;
      return answer.failure;
    }
    if (!answer.description.empty()) SetError(answer);
    if (FAILED(answer.failure)) return answer.failure;
    if (answer.result) return result ? VariantCopy(result, &answer.result->Raw()) : S_OK;
    if (result) {
      result->vt = VT_DISPATCH;
      QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&result->pdispVal));
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }

 private:
  static void SetError(const Answer& answer) {
    ComPtr<ICreateErrorInfo> create;
    ComPtr<IErrorInfo> info;
    CreateErrorInfo(&create);
    create->SetDescription(const_cast<LPOLESTR>(answer.description.c_str()));
    create->SetSource(const_cast<LPOLESTR>(answer.source.c_str()));
    create.As(&info);
    SetErrorInfo(0, info.Get());
  }

  std::vector<std::wstring> members_;  // DISPID i is members_[i]
};

// Hands out the one fake object, new or running.
class FakeFactory final : public AutomationFactory {
 public:
  Fake object;
  AutomationObject CreateObject(const Text& progId) override { return {&object, progId}; }
  AutomationObject GetActiveObject(const Text& progId) override { return {&object, progId}; }
};

// How a failing call becomes the launcher's error: with DISP_E_EXCEPTION
// the codes come in EXCEPINFO, otherwise the texts (if any) through
// IErrorInfo; without texts the system's message or the number stands in,
// and the class for the source.
struct ErrorCase {
  const char* name;
  Answer answer;
  HRESULT number;
};

class ErrorMappingTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorMappingTest, CarriesNumberDescriptionAndSource) {
  const ErrorCase& row = GetParam();
  FakeFactory factory;
  factory.object.answers[L"Open"] = row.answer;
  try {
    AdoDatabaseEngine(factory).CreateConnection()->Open(u"", u"", u"", -1);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), static_cast<std::int32_t>(row.number));
    if (row.answer.description.empty()) {
      EXPECT_FALSE(error.Description().empty());
      EXPECT_EQ(error.Source(), u"ADODB.Connection");
    } else {
      EXPECT_EQ(error.Description(), FromWide(row.answer.description));
      EXPECT_EQ(error.Source(), FromWide(row.answer.source));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ErrorMappingTest,
    testing::Values(
        // Wine's ADO without Jet: an exception without any text.
        ErrorCase{"ExceptionWithoutTexts",
                  {.failure = DISP_E_EXCEPTION, .scode = CO_E_CLASSSTRING},
                  CO_E_CLASSSTRING},
        ErrorCase{"ExceptionWithNumberOnly", {.failure = DISP_E_EXCEPTION, .wCode = 3024}, 3024},
        ErrorCase{"FailureWithErrorInfo",
                  {.failure = E_FAIL,
                   .description = L"Operation is not allowed.",
                   .source = L"ADODB.Connection.2"},
                  E_FAIL}),
    RowName());

// Jet counts in VT_I4; an Empty value is no count.
TEST(RowCountTest, IsAWholeNumberOrRaises) {
  FakeFactory factory;
  const auto catalog = AdoDatabaseEngine(factory).CreateCatalog();
  factory.object.answers[L"Value"] = {Variant(70000)};
  EXPECT_EQ(catalog->RowCount(u"代码"), 70000);
  factory.object.answers[L"Value"] = {Variant()};
  EXPECT_THROW(catalog->RowCount(u"代码"), Error);
}

// An Access without a database open, or whose database has no AppTitle,
// runs no Korvane; a database whose Properties takes no argument is asked
// for the collection's Item.
struct RunningCase {
  const char* name;
  const wchar_t* member;
  Answer answer;
  std::u16string runningName;
};

class RunningNameTest : public testing::TestWithParam<RunningCase> {};

TEST_P(RunningNameTest, IsTheOpenDatabasesAppTitle) {
  FakeFactory factory;
  factory.object.answers[L"Value"] = {Variant(Text(u"Korvane"))};
  factory.object.answers[GetParam().member] = GetParam().answer;
  AccessAutomation access(factory);
  EXPECT_EQ(access.RunningApplicationName(*access.FindRunningHost()), GetParam().runningName);
}

INSTANTIATE_TEST_SUITE_P(
    Access, RunningNameTest,
    testing::Values(RunningCase{"PropertiesWithoutArguments",
                                L"Properties",
                                {.takesArguments = false},
                                u"Korvane"},
                    RunningCase{"NoAppTitle",
                                L"Properties",
                                {.failure = DISP_E_EXCEPTION,
                                 .scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3270)},
                                u""},
                    RunningCase{"NoDatabaseOpen", L"CurrentDb", {Variant()}, u""}),
    RowName());

// While Access starts or is busy it turns calls away: the window thread's
// filter has COM try them again for 30 seconds, then they fail as before. A
// call refused outright is not tried again.
TEST(BusyAccessTest, RejectedCallsAreTriedAgainForThirtySeconds) {
  struct Case {
    DWORD rejectType;
    DWORD elapsedMs;
    DWORD answer;
  };
  const Case cases[] = {
      {SERVERCALL_RETRYLATER, 29999, kRetryPauseMs},
      {SERVERCALL_RETRYLATER, 30000, kCancelCall},
      {SERVERCALL_REJECTED, 0, kCancelCall},
  };
  ComApartment apartment(&BusyServerFilter());
  ASSERT_TRUE(apartment.Enter());
  IMessageFilter* registered = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoRegisterMessageFilter(nullptr, &registered));
  ASSERT_TRUE(registered) << "no filter registered";
  CoRegisterMessageFilter(registered, nullptr);
  for (const Case& row : cases) {
    EXPECT_EQ(registered->RetryRejectedCall(nullptr, row.elapsedMs, row.rejectType), row.answer)
        << row.rejectType << " after " << row.elapsedMs << " ms";
  }
}

}  // namespace
}  // namespace korvane::windows::test
