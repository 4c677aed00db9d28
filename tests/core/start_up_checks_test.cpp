// The load step: second copy, drive root, and what the component checks do
// for every set of files missing at start.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "shell/start_up_checks.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

MessageBox Missing(const char16_t* name) {
  return {Text(u"操作系统《") + name + u"》文件丢失,无法操作", Text(u"出错信息"),
          MessageButtons::kOk};
}

const std::vector<MessageBox> kNone;
const std::vector<MessageBox> kFailedRebuild{
    {u"FakeHost-->文件未找到", Text(u"出错LOAD"), MessageButtons::kOk}};

struct StartUpRow {
  const char* name;
  bool workgroupMissing, mainMissing, queryMissing;
  std::vector<MessageBox> messages;
  bool rebuildAttempted;  // the main front-end copied to the query front-end
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
  std::vector<std::vector<Text>> copies;
  for (const Call& copy : w.log.CallsOf("CopyFile")) copies.push_back(copy.arguments);
  EXPECT_EQ(copies, (row.rebuildAttempted
                         ? std::vector<std::vector<Text>>{{kMainFrontEndPath, kQueryFrontEndPath}}
                         : std::vector<std::vector<Text>>{}));
  EXPECT_EQ(w.host.Has(kQueryFrontEndPath), row.queryFrontEndAfter);
  if (row.queryMissing && row.queryFrontEndAfter) {
    EXPECT_EQ(w.host.Content(kQueryFrontEndPath), "main front-end");
  }
  EXPECT_EQ(w.launcher.componentFiles[ComponentFile::WorkgroupFile], u"Secured.mdw");
}

constexpr auto kShown = Outcome::kReturned;
constexpr auto kEnded = Outcome::kProgramEnded;

INSTANTIATE_TEST_SUITE_P(
    AllEightRows, StartUpOutcome,
    ::testing::Values(
        StartUpRow{"Nothing", false, false, false, kNone, false, true, kShown},
        StartUpRow{"QueryFrontEnd", false, false, true, kNone, true, true, kShown},
        StartUpRow{
            "MainFrontEnd", false, true, false, {Missing(u"系统前端.mde")}, false, true, kEnded},
        StartUpRow{"Workgroup", true, false, false, {Missing(u"Secured.mdw")}, false, true, kEnded},
        StartUpRow{
            "WorkgroupAndMain", true, true, false, {Missing(u"Secured.mdw")}, false, true, kEnded},
        StartUpRow{"WorkgroupAndQuery", true, false, true, kNone, true, true, kShown},
        StartUpRow{"BothFrontEnds", false, true, true, kFailedRebuild, true, false, kShown},
        StartUpRow{"AllThree", true, true, true, kFailedRebuild, true, false, kShown}),
    RowName());

TEST(StartUpChecks, SecondCopyEndsSilentlyWithoutLookingAtFiles) {
  World w;
  w.PutComponents();
  w.host.previousInstanceRunning = true;
  EXPECT_EQ(w.Run([&] { w.mainWindow.Load(); }), Outcome::kProgramEnded);
  EXPECT_EQ(w.log.Operations(),
            (std::vector<std::string>{"IsPreviousInstanceRunning", "EndProgram"}));
}

// Lengths count characters, so a one-character Chinese folder name passes.
class DriveRoot : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(DriveRoot, OnlyAThreeCharacterFolderIsRefused) {
  World w;
  w.host.programFolder = GetParam();
  for (const char16_t* name : {u"系统前端.mde", u"查询系统.mde", u"Secured.mdw"}) {
    w.host.PutFile(w.host.programFolder + u"\\" + name, "component");
  }
  const Outcome outcome = w.Run([&] { w.mainWindow.Load(); });
  if (w.host.programFolder == u"C:\\") {
    EXPECT_EQ(outcome, Outcome::kProgramEnded);
    EXPECT_EQ(w.host.messages, (std::vector<MessageBox>{{u"建议将该文件安装在文件夹下运行",
                                                         std::nullopt, MessageButtons::kOk}}));
    EXPECT_EQ(w.log.Count("FileExists"), 0u);
  } else {
    EXPECT_EQ(outcome, Outcome::kReturned);
    EXPECT_TRUE(w.host.messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, DriveRoot, ::testing::Values(u"C:\\", u"D:\\档"));

}  // namespace
}  // namespace korvane::testing
