// 调阅档案数据: the open-file dialog cancelled, answered with an archive, and
// answered with a path that names no single file.

#include "e2e_fixture.h"

namespace korvane::e2e {
namespace {

constexpr char kQuery[] = "choose 调阅档案数据";
const std::string kDialog = "dialog 调入后端数据库文件|数据库后端文件 (*.mdb)";
constexpr char kQueryBackEnd[] = "查询后端.mdb";

TEST_F(LauncherTest, CancellingTheDialogRemovesTheOldQueryBackEndAndStartsNothing) {
  fs::copy_file(demo.Archive(), demo.InProgram(kQueryBackEnd));

  const Outcome outcome = RunLauncher(demo, {kQuery, "dialog cancel"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kDialog, "idle"}));
  EXPECT_FALSE(fs::exists(demo.InProgram(kQueryBackEnd)));
  EXPECT_TRUE(HostStartsAfterPause(demo).empty());
}

class ChoosingAnArchive : public LauncherTest, public ::testing::WithParamInterface<bool> {};

// Also from the root of another drive, where the chosen path is the root
// followed by the name.
TEST_P(ChoosingAnArchive, MakesItTheQueryBackEndOpenedInTheQueryFrontEnd) {
  Environment drives;
  if (GetParam()) drives["KORVANE_DRIVES"] = "K=" + demo.Archive().parent_path().string();

  const Outcome outcome =
      RunLauncher(demo, {kQuery, "dialog open " + demo.Archive().string()}, drives);

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kDialog}));  // then the launcher ended
  EXPECT_EQ(ReadFile(demo.InProgram(kQueryBackEnd)), ReadFile(demo.Archive()));
  const auto starts = WaitForHostStarts(demo, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].arguments, HostArguments(demo, "查询系统.mde"));
  EXPECT_EQ(starts[0].show, "3");
}

INSTANTIATE_TEST_SUITE_P(, ChoosingAnArchive, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "AtADriveRoot" : "InAFolder");
});

struct NoSingleFile {
  const char* name;
  std::string answer;
};
void PrintTo(const NoSingleFile& row, std::ostream* out) {
  *out << row.name;
}

class ChoosingNoSingleFile : public LauncherTest,
                             public ::testing::WithParamInterface<NoSingleFile> {};

// A typed name of a missing file and several selected files are accepted by
// the dialog; the copy then fails and the window stays open.
TEST_P(ChoosingNoSingleFile, CopiesNothingStartsNothingAndKeepsTheWindow) {
  const fs::path archives = demo.Archive().parent_path();
  fs::copy_file(demo.Archive(), archives / "2024年档案.mdb");

  std::string answer = GetParam().answer;  // paths in the archive folder
  for (std::size_t at; (at = answer.find("ARCHIVES")) != std::string::npos;) {
    answer.replace(at, 8, archives.string());
  }

  const Outcome outcome = RunLauncher(demo, {kQuery, "dialog open " + answer});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kDialog, "idle"}));
  EXPECT_FALSE(fs::exists(demo.InProgram(kQueryBackEnd)));
  EXPECT_TRUE(HostStartsAfterPause(demo).empty());
}

INSTANTIATE_TEST_SUITE_P(, ChoosingNoSingleFile,
                         ::testing::Values(NoSingleFile{"TypedMissingName", "ARCHIVES/不存在.mdb"},
                                           NoSingleFile{
                                               "SeveralFiles",
                                               "ARCHIVES/2025年档案.mdb|ARCHIVES/2024年档案.mdb"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::e2e
