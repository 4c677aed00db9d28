// The load step: second copy, drive root, and what the component checks do
// for the sets of files missing at start.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "shell/start_up_checks.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

struct StartUpRow {
  const char* name;
  std::vector<const char16_t*> missing;
  std::vector<MessageBox> messages;
  std::optional<std::string> queryFrontEnd;  // its content afterwards
  Outcome outcome;                           // returned: the window is shown
  std::function<void(FakeHost&)> scene = {};
};

class StartUpOutcome : public ::testing::TestWithParam<StartUpRow> {};

TEST_P(StartUpOutcome, FollowsTheMissingFiles) {
  const StartUpRow& row = GetParam();
  World w;
  // As before the start-up checks, which fill the table themselves.
  w.launcher.componentFiles.Clear();
  for (const char16_t* path : row.missing) w.host.RemoveFile(path);
  if (row.scene) row.scene(w.host);

  EXPECT_EQ(w.Run([&] { w.mainWindow.Load(); }), row.outcome);

  EXPECT_EQ(w.host.messages, row.messages);
  EXPECT_EQ(w.host.Content(kQueryFrontEndPath), row.queryFrontEnd);
}

// A missing query front-end is rebuilt from the main one, and then any
// other missing file is let pass.
INSTANTIATE_TEST_SUITE_P(
    MissingFiles, StartUpOutcome,
    ::testing::Values(
        StartUpRow{"QueryFrontEnd", {kQueryFrontEndPath}, {}, "main front-end", Outcome::kReturned},
        StartUpRow{
            "WorkgroupAndMain",
            {kWorkgroupPath, kMainFrontEndPath},
            {{u"操作系统《Secured.mdw》文件丢失,无法操作", Text(u"出错信息"), MessageButtons::kOk}},
            "query front-end",
            Outcome::kProgramEnded},
        // The rebuild fails: reported, and the window is shown.
        StartUpRow{"BothFrontEnds",
                   {kMainFrontEndPath, kQueryFrontEndPath},
                   {{u"FakeHost-->文件未找到", Text(u"出错LOAD"), MessageButtons::kOk}},
                   std::nullopt,
                   Outcome::kReturned},
        // A second copy ends silently: no file is rebuilt under the first.
        StartUpRow{"SecondCopy",
                   {kQueryFrontEndPath},
                   {},
                   std::nullopt,
                   Outcome::kProgramEnded,
                   [](FakeHost& host) { host.previousInstanceRunning = true; }},
        StartUpRow{"DriveRoot",
                   {},
                   {{u"建议将该文件安装在文件夹下运行", std::nullopt, MessageButtons::kOk}},
                   "query front-end",
                   Outcome::kProgramEnded,
                   [](FakeHost& host) { host.programFolder = u"C:\\"; }}),
    RowName());

}  // namespace
}  // namespace korvane::testing
