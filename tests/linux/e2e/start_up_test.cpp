// Start-up through the real program: the query front-end rebuilt by a file
// copy, a missing file's message, a failed copy's system error, the
// drive-root refusal, a second copy, and the ways the window unloads.

#include "e2e_fixture.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

constexpr char kQuery[] = "查询系统.mde";
constexpr char kMain[] = "系统前端.mde";

struct StartUpRow {
  const char* name;
  std::vector<std::string> missing;
  std::vector<std::string> expectedLog;  // the whole log; the script answers each box OK
  bool queryFrontEndAfter;
};

class StartUpTable : public LauncherTest, public ::testing::WithParamInterface<StartUpRow> {};

TEST_P(StartUpTable, ShowsWhatTheMissingFilesCallFor) {
  const StartUpRow& row = GetParam();
  fs::copy_file(demo.InProgram(kMain), demo.InProgram(kQuery));
  for (const std::string& name : row.missing) fs::remove(demo.InProgram(name));
  std::vector<std::string> script;
  for (const std::string& line : row.expectedLog) {
    if (line.starts_with("message ")) script.push_back("answer OK");
  }

  const Outcome outcome = RunLauncher(demo, script);

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, row.expectedLog));
  EXPECT_EQ(fs::exists(demo.InProgram(kQuery)), row.queryFrontEndAfter);
  if (row.queryFrontEndAfter && fs::exists(demo.InProgram(kMain))) {
    EXPECT_EQ(ReadFile(demo.InProgram(kQuery)), ReadFile(demo.InProgram(kMain)));
  }
}

const std::string kCopyFailed = "message 出错LOAD|CopyFile-->*|OK";

INSTANTIATE_TEST_SUITE_P(
    , StartUpTable,
    ::testing::Values(StartUpRow{"QueryFrontEnd", {kQuery}, {kShown, "idle"}, true},
                      StartUpRow{"MainFrontEnd",
                                 {kMain},
                                 {"message 出错信息|操作系统《系统前端.mde》文件丢失,无法操作|OK"},
                                 true},
                      StartUpRow{
                          "BothFrontEnds", {kMain, kQuery}, {kCopyFailed, kShown, "idle"}, false}),
    RowName());

TEST_F(LauncherTest, RefusesADriveRootAndTouchesNoFile) {
  const Outcome outcome =
      RunLauncher(demo, {"answer OK"}, {{"KORVANE_DRIVES", "K=" + demo.Program().string()}});

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(
      LogMatches(outcome.log, {"message TessalyKorvane|建议将该文件安装在文件夹下运行|OK"}));
  EXPECT_FALSE(fs::exists(demo.InProgram(kQuery)));  // not rebuilt: no file was looked at
}

TEST_F(LauncherTest, ASecondCopyEndsAtOnceShowingNothingAndTouchingNoFile) {
  LauncherProcess first(demo, {"wait 30000"});
  ASSERT_TRUE(first.WaitForLogLine(kShown));
  fs::remove(demo.InProgram(kQuery));  // rebuilt by the first; a second check would rebuild it

  const Outcome second = RunLauncher(demo, {});

  EXPECT_EQ(second.exitCode, 0);
  EXPECT_TRUE(LogMatches(second.log, {}));
  EXPECT_FALSE(fs::exists(demo.InProgram(kQuery)));
}

// The help viewer, a window of its own, does not keep the launcher alive.
class Unloading : public LauncherTest,
                  public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(Unloading, EndsTheLauncher) {
  const Outcome outcome = RunLauncher(demo, GetParam());

  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(LogMatches(outcome.log, {kShown}));  // ended, not idle
}

INSTANTIATE_TEST_SUITE_P(, Unloading,
                         ::testing::Values(std::vector<std::string>{"close"},
                                           std::vector<std::string>{"choose 帮助",
                                                                    "choose 关闭窗口"}),
                         [](const auto& info) {
                           return std::string(info.index == 0 ? "CloseBox" : "CloseWithHelpOpen");
                         });

}  // namespace
}  // namespace korvane::e2e
