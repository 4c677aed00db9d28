// The Access automation adapter against recording automation objects.

#include <gtest/gtest.h>

#include "platform/error.h"
#include "recording_dispatch.h"
#include "windows/access_automation.h"
#include "windows/busy_server_filter.h"
#include "windows/com_apartment.h"

namespace korvane::windows::test {
namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kMethodOrGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

class AccessAutomationTest : public testing::Test {
 protected:
  AccessAutomationTest() {
    application->On(L"CurrentDb", Returns(ObjectValue(database)));
    property->On(L"Value", Returns(Variant(Text(u"Korvane"))));
  }

  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  ComPtr<RecordingDispatch> application = MakeRecordingDispatch(L"application", log);
  ComPtr<RecordingDispatch> database = MakeRecordingDispatch(L"database", log);
  ComPtr<RecordingDispatch> properties = MakeRecordingDispatch(L"properties", log);
  ComPtr<RecordingDispatch> property = MakeRecordingDispatch(L"property", log);
  RecordingFactory factory;
};

// The name is CurrentDb().Properties("AppTitle").Value; a database whose
// Properties takes no argument is read through the collection's Item.
TEST_F(AccessAutomationTest, RunningNameIsTheOpenDatabasesAppTitle) {
  for (const bool throughItem : {false, true}) {
    SCOPED_TRACE(throughItem ? "through Item" : "directly");
    log->clear();
    Answer collection = Returns(ObjectValue(throughItem ? properties : property));
    collection.rejectsArguments = throughItem;
    database->On(L"Properties", collection);
    properties->On(L"Item", Returns(ObjectValue(property)));
    factory.RegisterActive(u"Access.Application", application);
    AccessAutomation access(factory);

    auto running = access.FindRunningHost();
    EXPECT_EQ(access.RunningApplicationName(*running), u"Korvane");

    CallLog expected{
        {L"application", L"CurrentDb", kMethodOrGet, {}, false},
        {L"database", L"Properties", kMethodOrGet, {{VT_BSTR, L"AppTitle"}}, false},
        {L"property", L"Value", kGet, {}, false},
    };
    if (throughItem) {
      expected.insert(expected.end() - 1,
                      {{L"database", L"Properties", kGet, {}, false},
                       {L"properties", L"Item", kMethodOrGet, {{VT_BSTR, L"AppTitle"}}, false}});
    }
    EXPECT_EQ(*log, expected);
  }
  EXPECT_EQ(factory.Requests(),
            (std::vector<Text>{u"active Access.Application", u"active Access.Application"}));
}

// An instance that has no database open, or one without an AppTitle, has
// no Korvane open: that is an answer, not a failure. Any other failure
// stays one.
TEST_F(AccessAutomationTest, NoDatabaseOrNoTitleIsAnEmptyNameOtherFailuresRaise) {
  factory.RegisterActive(u"Access.Application", application);
  AccessAutomation access(factory);
  auto running = access.FindRunningHost();

  application->On(L"CurrentDb", Returns(Variant()));
  EXPECT_EQ(access.RunningApplicationName(*running), u"");

  application->On(L"CurrentDb", Returns(ObjectValue(database)));
  const HRESULT propertyNotFound = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3270);
  Answer failing;
  failing.failure = DISP_E_EXCEPTION;
  failing.exception.scode = propertyNotFound;
  database->On(L"Properties", failing);
  EXPECT_EQ(access.RunningApplicationName(*running), u"");

  failing.exception.scode = E_FAIL;
  database->On(L"Properties", failing);
  EXPECT_THROW(access.RunningApplicationName(*running), Error);
}

// The instance is kept while the launcher runs and let go when it ends, by
// the adapter going or, when the program ends at once, on request.
TEST_F(AccessAutomationTest, HostFolderComesFromSysCmdNineOfAnObjectKeptAlive) {
  application->On(L"SysCmd", Returns(Variant(Text(u"C:\\Office\\"))));
  factory.Register(u"Access.Application", application);
  const ULONG before = application->References();
  {
    AccessAutomation access(factory);
    EXPECT_EQ(access.HostProgramFolder(), u"C:\\Office\\");
    EXPECT_EQ(application->References(), before + 1) << "the new instance is kept";
    access.ReleaseCreatedHosts();
    EXPECT_EQ(application->References(), before) << "and let go on request";
    access.HostProgramFolder();
  }
  EXPECT_EQ(application->References(), before) << "or with the adapter";
  const RecordedCall sysCmd{L"application", L"SysCmd", kMethodOrGet, {{VT_I4, L"9"}}, false};
  EXPECT_EQ(*log, (CallLog{sysCmd, sysCmd}));
  EXPECT_EQ(factory.Requests(),
            (std::vector<Text>{u"create Access.Application", u"create Access.Application"}));
}

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
      {SERVERCALL_RETRYLATER, 0, kRetryPauseMs},
      {SERVERCALL_RETRYLATER, 29999, kRetryPauseMs},
      {SERVERCALL_RETRYLATER, 30000, kCancelCall},
      {SERVERCALL_REJECTED, 0, kCancelCall},
  };
  EnterComApartment();
  IMessageFilter* registered = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoRegisterMessageFilter(nullptr, &registered));
  ASSERT_TRUE(registered) << "no filter registered";
  CoRegisterMessageFilter(registered, nullptr);
  for (const Case& row : cases) {
    EXPECT_EQ(registered->RetryRejectedCall(nullptr, row.elapsedMs, row.rejectType), row.answer)
        << row.rejectType << " after " << row.elapsedMs << " ms";
  }
  LeaveComApartment();
}

}  // namespace
}  // namespace korvane::windows::test
