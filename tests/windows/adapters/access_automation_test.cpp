// The Access automation adapter against recording automation objects.

#include <gtest/gtest.h>

#include "platform/error.h"
#include "recording_dispatch.h"
#include "windows/access_automation.h"

namespace korvane::windows::test {
namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kMethodOrGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

class AccessAutomationTest : public testing::Test {
 protected:
  AccessAutomationTest() {
    Answer databaseAnswer;
    databaseAnswer.result = ObjectValue(*database);
    application->On(L"CurrentDb", databaseAnswer);
    Answer title;
    title.result = Variant(Text(u"Korvane"));
    property->On(L"Value", title);
  }

  void AnswerProperties(RecordingDispatch& from, const std::wstring& member) {
    Answer propertyAnswer;
    propertyAnswer.result = ObjectValue(*property);
    from.On(member, propertyAnswer);
  }

  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  ComPtr<RecordingDispatch> application = MakeRecordingDispatch(L"application", log);
  ComPtr<RecordingDispatch> database = MakeRecordingDispatch(L"database", log);
  ComPtr<RecordingDispatch> properties = MakeRecordingDispatch(L"properties", log);
  ComPtr<RecordingDispatch> property = MakeRecordingDispatch(L"property", log);
  RecordingFactory factory;
};

TEST_F(AccessAutomationTest, RunningNameIsTheOpenDatabasesAppTitle) {
  AnswerProperties(*database, L"Properties");
  factory.RegisterActive(u"Access.Application", application);
  AccessAutomation access(factory);

  auto running = access.FindRunningHost();
  EXPECT_EQ(access.RunningApplicationName(*running), u"Korvane");

  const CallLog expected{
      {L"application", L"CurrentDb", kMethodOrGet, {}, false},
      {L"database", L"Properties", kMethodOrGet, {{VT_BSTR, L"AppTitle"}}, false},
      {L"property", L"Value", kGet, {}, false},
  };
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(factory.Requests(), std::vector<Text>{u"active Access.Application"});
}

// A database whose Properties takes no argument is read through the
// collection's Item.
TEST_F(AccessAutomationTest, PropertiesWithoutArgumentsAreReadThroughItem) {
  Answer collection;
  collection.result = ObjectValue(*properties);
  collection.rejectsArguments = true;
  database->On(L"Properties", collection);
  AnswerProperties(*properties, L"Item");
  factory.RegisterActive(u"Access.Application", application);
  AccessAutomation access(factory);

  auto running = access.FindRunningHost();
  EXPECT_EQ(access.RunningApplicationName(*running), u"Korvane");

  const CallLog expected{
      {L"application", L"CurrentDb", kMethodOrGet, {}, false},
      {L"database", L"Properties", kMethodOrGet, {{VT_BSTR, L"AppTitle"}}, false},
      {L"database", L"Properties", kGet, {}, false},
      {L"properties", L"Item", kMethodOrGet, {{VT_BSTR, L"AppTitle"}}, false},
      {L"property", L"Value", kGet, {}, false},
  };
  EXPECT_EQ(*log, expected);
}

TEST_F(AccessAutomationTest, UnreadableNameRaises) {
  Answer failing;
  failing.failure = DISP_E_EXCEPTION;
  failing.exception.scode = static_cast<HRESULT>(0x800A0BB8);  // no current database
  database->On(L"Properties", failing);
  factory.RegisterActive(u"Access.Application", application);
  AccessAutomation access(factory);
  auto running = access.FindRunningHost();
  EXPECT_THROW(access.RunningApplicationName(*running), Error);
}

TEST_F(AccessAutomationTest, NoRunningHostRaises) {
  AccessAutomation access(factory);
  EXPECT_THROW(access.FindRunningHost(), Error);
}

TEST_F(AccessAutomationTest, HostFolderComesFromSysCmdNineOfAnObjectKeptAlive) {
  Answer folder;
  folder.result = Variant(Text(u"C:\\Office\\"));
  application->On(L"SysCmd", folder);
  factory.Register(u"Access.Application", application);
  const ULONG before = application->References();
  {
    AccessAutomation access(factory);
    EXPECT_EQ(access.HostProgramFolder(), u"C:\\Office\\");
    EXPECT_EQ(application->References(), before + 1) << "the new instance is kept";
  }
  EXPECT_EQ(application->References(), before) << "and released with the adapter";
  const CallLog expected{{L"application", L"SysCmd", kMethodOrGet, {{VT_I4, L"9"}}, false}};
  EXPECT_EQ(*log, expected);
  EXPECT_EQ(factory.Requests(), std::vector<Text>{u"create Access.Application"});
}

}  // namespace
}  // namespace korvane::windows::test
