// 调阅档案数据: the open-file dialog answered with an archive, and with a
// path that names no single file.

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kQuery[] = "choose 调阅档案数据";
const std::string kDialog = "dialog 调入后端数据库文件|数据库后端文件 (*.mdb)";
constexpr char kQueryBackEnd[] = "查询后端.mdb";

TEST_F(LauncherTest, ChoosingAnArchiveMakesItTheQueryBackEndOpenedInTheQueryFrontEnd) {
  const Outcome outcome = RunLauncher(demo, {kQuery, "dialog open " + demo.files.archive});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kDialog}));  // then the launcher ended
  EXPECT_EQ(ReadFile(demo.App(kQueryBackEnd)), ReadFile(demo.files.archive));
  EXPECT_TRUE(LogMatches(WaitForHost(demo), HostStart(demo, "查询系统.mde", "*")));
}

// A typed name of a missing file and several selected files are accepted by
// the dialog; the copy then fails and the window stays open.
class ChoosingNoSingleFile : public LauncherTest,
                             public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(ChoosingNoSingleFile, CopiesNothingStartsNothingAndKeepsTheWindow) {
  fs::copy_file(demo.files.archive, demo.folder.File("archive/2024年档案.mdb"));
  std::string answer = "dialog open ";
  for (const std::string& name : GetParam()) answer += demo.folder.File("archive/" + name) + "|";
  answer.pop_back();

  const Outcome outcome = RunLauncher(demo, {kQuery, answer});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kDialog, "idle"}));
  EXPECT_FALSE(fs::exists(demo.App(kQueryBackEnd)));
  EXPECT_TRUE(HostLogAfterPause(demo).empty());
}

INSTANTIATE_TEST_SUITE_P(, ChoosingNoSingleFile,
                         ::testing::Values(std::vector<std::string>{"不存在.mdb"},
                                           std::vector<std::string>{"2025年档案.mdb",
                                                                    "2024年档案.mdb"}),
                         [](const auto& info) {
                           return std::string(info.index == 0 ? "TypedMissingName"
                                                              : "SeveralFiles");
                         });

}  // namespace
}  // namespace korvane::e2e
