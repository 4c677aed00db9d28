// The load step: second copy, drive root, and what the component checks do
// for every set of files missing at start.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "shell/start_up_checks.h"

namespace korvane::testing {
namespace {

MessageBox Missing(const char16_t* name) {
  return {Text(u"操作系统《") + name + u"》文件丢失,无法操作", Text(u"出错信息"),
          MessageButtons::kOk};
}

const MessageBox kFailedRebuild{u"FakeHost-->文件未找到", Text(u"出错LOAD"), MessageButtons::kOk};

struct StartUpRow {
  const char* name;
  bool workgroupMissing, mainMissing, queryMissing;
  std::vector<MessageBox> messages;
  std::size_t rebuildAttempts;  // copies of the main front-end to the query front-end
  bool queryFrontEndAfter;
  Outcome outcome;  // returned: the window is shown
};

class StartUpOutcome : public ::testing::TestWithParam<StartUpRow> {};

TEST_P(StartUpOutcome, FollowsTheMissingFiles) {
  const StartUpRow& row = GetParam();
  World w;
  w.PutComponents();
  if (row.workgroupMissing) w.host.RemoveFile(kWorkgroupPath);
  if (row.mainMissing) w.host.RemoveFile(kMainFrontEndPath);
  if (row.queryMissing) w.host.RemoveFile(kQueryFrontEndPath);

  EXPECT_EQ(w.Run([&] { w.mainWindow.Load(); }), row.outcome);

  EXPECT_EQ(w.host.messages, row.messages);
  const auto copies = w.log.CallsOf("CopyFile");
  ASSERT_EQ(copies.size(), row.rebuildAttempts);
  for (const Call& copy : copies) {
    EXPECT_EQ(copy.arguments, (std::vector<Text>{kMainFrontEndPath, kQueryFrontEndPath}));
  }
  EXPECT_EQ(w.host.Has(kQueryFrontEndPath), row.queryFrontEndAfter);
  if (row.queryMissing && row.queryFrontEndAfter) {
    EXPECT_EQ(w.host.Content(kQueryFrontEndPath), "main front-end");
  }
  EXPECT_EQ(w.launcher.componentFiles[ComponentFile::WorkgroupFile], u"Secured.mdw");
}

INSTANTIATE_TEST_SUITE_P(
    AllEightRows, StartUpOutcome,
    ::testing::Values(
        StartUpRow{"Nothing", false, false, false, {}, 0, true, Outcome::kReturned},
        StartUpRow{"QueryFrontEnd", false, false, true, {}, 1, true, Outcome::kReturned},
        StartUpRow{"MainFrontEnd",
                   false,
                   true,
                   false,
                   {Missing(u"系统前端.mde")},
                   0,
                   true,
                   Outcome::kProgramEnded},
        StartUpRow{"Workgroup",
                   true,
                   false,
                   false,
                   {Missing(u"Secured.mdw")},
                   0,
                   true,
                   Outcome::kProgramEnded},
        StartUpRow{"WorkgroupAndMain",
                   true,
                   true,
                   false,
                   {Missing(u"Secured.mdw")},
                   0,
                   true,
                   Outcome::kProgramEnded},
        StartUpRow{"WorkgroupAndQuery", true, false, true, {}, 1, true, Outcome::kReturned},
        StartUpRow{
            "BothFrontEnds", false, true, true, {kFailedRebuild}, 1, false, Outcome::kReturned},
        StartUpRow{"AllThree", true, true, true, {kFailedRebuild}, 1, false, Outcome::kReturned}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartUpChecks, FailedRebuildEndsTheChecksBeforeIndexZero) {
  World w;
  w.PutComponents();
  w.host.RemoveFile(kMainFrontEndPath);
  w.host.RemoveFile(kQueryFrontEndPath);
  w.mainWindow.Load();
  std::vector<Text> tested;
  for (const Call& call : w.log.CallsOf("FileExists")) tested.push_back(call.arguments[0]);
  EXPECT_EQ(tested, (std::vector<Text>{kWorkgroupPath, kMainFrontEndPath, kQueryFrontEndPath}));
  EXPECT_EQ(w.log.Operations().back(), "ShowMessage");
}

TEST(StartUpChecks, SecondCopyEndsSilentlyWithoutLookingAtFiles) {
  World w;
  w.PutComponents();
  w.host.previousInstanceRunning = true;
  EXPECT_EQ(w.Run([&] { w.mainWindow.Load(); }), Outcome::kProgramEnded);
  EXPECT_EQ(w.log.Operations(),
            (std::vector<std::string>{"IsPreviousInstanceRunning", "EndProgram"}));
  EXPECT_TRUE(w.host.messages.empty());
}

struct FolderRow {
  const char16_t* programFolder;
  bool refused;
};

class DriveRoot : public ::testing::TestWithParam<FolderRow> {};

TEST_P(DriveRoot, OnlyAThreeCharacterFolderIsRefused) {
  World w;
  w.host.programFolder = GetParam().programFolder;
  for (const char16_t* name : {u"系统前端.mde", u"查询系统.mde", u"Secured.mdw"}) {
    w.host.PutFile(w.host.programFolder + u"\\" + name, "component");
  }
  const Outcome outcome = w.Run([&] { w.mainWindow.Load(); });
  if (GetParam().refused) {
    EXPECT_EQ(outcome, Outcome::kProgramEnded);
    EXPECT_EQ(w.host.messages, (std::vector<MessageBox>{{u"建议将该文件安装在文件夹下运行",
                                                         std::nullopt, MessageButtons::kOk}}));
    EXPECT_EQ(w.log.Count("FileExists"), 0u);
    EXPECT_EQ(w.launcher.componentFiles[ComponentFile::MainFrontEnd], u"");
  } else {
    EXPECT_EQ(outcome, Outcome::kReturned);
    EXPECT_TRUE(w.host.messages.empty());
    EXPECT_EQ(w.log.Count("FileExists"), 3u);
  }
}

// Lengths count characters, so a one-character Chinese folder name passes.
INSTANTIATE_TEST_SUITE_P(Folders, DriveRoot,
                         ::testing::Values(FolderRow{u"C:\\", true}, FolderRow{u"D:\\K", false},
                                           FolderRow{u"D:\\档", false},
                                           FolderRow{u"D:\\档案", false}));

}  // namespace
}  // namespace korvane::testing
