// The Access automation adapter against scripted automation objects, and
// the busy filter COM consults while Access turns calls away.

#include <gtest/gtest.h>

#include "platform/error.h"
#include "scripted_dispatch.h"
#include "windows/access_automation.h"
#include "windows/busy_server_filter.h"
#include "windows/com_apartment.h"

namespace korvane::windows::test {
namespace {

class AccessAutomationTest : public testing::Test {
 protected:
  AccessAutomationTest() {
    factory.active[u"Access.Application"] = application;
    application->On(L"CurrentDb", {Returns(ObjectValue(database))});
    properties->On(L"Item", {Returns(ObjectValue(property))});
    property->On(L"Value", {Returns(Variant(Text(u"Korvane")))});
  }

  ComPtr<ScriptedDispatch> application = MakeScripted(), database = MakeScripted(),
                           properties = MakeScripted(), property = MakeScripted();
  ScriptedFactory factory;
  AccessAutomation access{factory};
};

// CurrentDb().Properties("AppTitle").Value, or through the collection's Item
// for a database whose Properties takes no argument. No database open, or
// one without an AppTitle, is no Korvane; any other failure stays one.
TEST_F(AccessAutomationTest, RunningNameIsTheOpenDatabasesAppTitle) {
  auto running = access.FindRunningHost();
  database->On(L"Properties", {Returns(ObjectValue(property))});
  EXPECT_EQ(access.RunningApplicationName(*running), u"Korvane");

  Answer collection = Returns(ObjectValue(properties));
  collection.rejectsArguments = true;
  database->On(L"Properties", {collection});
  EXPECT_EQ(access.RunningApplicationName(*running), u"Korvane");

  const HRESULT propertyNotFound = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3270);
  database->On(L"Properties", {{.failure = DISP_E_EXCEPTION, .scode = propertyNotFound}});
  EXPECT_EQ(access.RunningApplicationName(*running), u"");
  database->On(L"Properties", {{.failure = DISP_E_EXCEPTION, .scode = E_FAIL}});
  EXPECT_THROW(access.RunningApplicationName(*running), Error);

  application->On(L"CurrentDb", {Returns(Variant())});
  EXPECT_EQ(access.RunningApplicationName(*running), u"");
}

// The instance made to tell the folder is kept while the launcher runs and
// let go on request, when the program ends at once, or with the adapter.
TEST_F(AccessAutomationTest, HostFolderInstanceIsKeptUntilReleased) {
  factory.created[u"Access.Application"] = application;
  const ULONG before = application->References();
  {
    AccessAutomation own(factory);
    own.HostProgramFolder();
    EXPECT_EQ(application->References(), before + 1);
    own.ReleaseCreatedHosts();
    EXPECT_EQ(application->References(), before);
    own.HostProgramFolder();
  }
  EXPECT_EQ(application->References(), before);
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
