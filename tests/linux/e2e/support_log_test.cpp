// The support log as the launcher leaves it after a backup, from the state
// it found: folders it makes for itself, a log that grows to 1 MiB and is
// then set aside as "launcher.log.old", and logs it cannot write, which
// change nothing the backup does or shows.

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>

#include "e2e_fixture.h"
#include "linux/services/support_log_file.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

constexpr std::uintmax_t kMebibyte = 1 << 20;

struct LogScene {
  const char* name;
  std::function<void(const std::string& folder)> prepare;  // the log's folder
  std::uintmax_t kept;                                     // bytes of the log kept before the line
  bool written;                                            // the backup's line is appended
  std::optional<std::uintmax_t> old;                       // launcher.log.old's size afterwards
};

void Nothing(const std::string&) {}

template <std::uintmax_t kBytes>
void LogOf(const std::string& folder) {
  fs::create_directories(folder);
  std::ofstream(folder + "/launcher.log") << std::string(kBytes - 1, 'x') << '\n';
  std::ofstream(folder + "/launcher.log.old") << "older";
}

void FolderIsAFile(const std::string& folder) {
  fs::create_directories(fs::path(folder).parent_path());
  std::ofstream(folder) << "not a folder";
}

void FolderIsReadOnly(const std::string& folder) {
  fs::create_directories(folder);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
}

// A link planted in the log's place is not followed.
void LogIsALink(const std::string& folder) {
  fs::create_directories(folder);
  std::ofstream(folder + "/other") << "other";
  fs::create_symlink("other", folder + "/launcher.log");
}

class SupportLogAfterABackUp : public LauncherTest,
                               public ::testing::WithParamInterface<LogScene> {};

TEST_P(SupportLogAfterABackUp, HoldsItsLineOrNothingAndTheBackUpIsTheSame) {
  const LogScene& scene = GetParam();
  const std::string folder = fs::path(demo.SupportLog()).parent_path();
  scene.prepare(folder);
  const bool madeByTheLauncher = !fs::exists(folder);
  const std::string before = ReadFile(demo.SupportLog());

  const Outcome outcome = RunLauncher(demo, {"choose 备份后端数据", "answer OK"});

  EXPECT_TRUE(LogMatches(outcome.log, {kShown, kBackedUp, "idle"}));
  EXPECT_EQ(ReadFile(demo.App("Korvane后端备份.mdb")), ReadFile(demo.files.dataBackEnd));
  const std::string log = ReadFile(demo.SupportLog());
  EXPECT_EQ(log.substr(0, scene.kept), before.substr(0, scene.kept));
  EXPECT_TRUE(LogMatches({log.substr(std::min(scene.kept, log.size()))},
                         {scene.written ? Logged("备份后端数据\t完成\n") : ""}));
  std::error_code missing;
  const std::uintmax_t old = fs::file_size(folder + "/launcher.log.old", missing);
  EXPECT_EQ(missing ? std::nullopt : std::optional(old), scene.old);
  if (madeByTheLauncher && fs::is_directory(folder)) {
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::mask, fs::perms::owner_all);
  }
}

INSTANTIATE_TEST_SUITE_P(
    , SupportLogAfterABackUp,
    ::testing::Values(
        LogScene{"BeginsInFoldersItMakes", Nothing, 0, true, std::nullopt},
        LogScene{"GrowsToOneMebibyte", LogOf<kMebibyte>, kMebibyte, true, 5},
        LogScene{"StartsAnewPastOneMebibyte", LogOf<kMebibyte + 1>, 0, true, kMebibyte + 1},
        LogScene{"CannotBeWrittenInAFile", FolderIsAFile, 0, false, std::nullopt},
        LogScene{"CannotBeWrittenInAReadOnlyFolder", FolderIsReadOnly, 0, false, std::nullopt},
        LogScene{"IsNeverWrittenThroughALink", LogIsALink, 5, false, std::nullopt}),
    RowName());

// Where the log lives: XDG_STATE_HOME when absolute, else HOME's state folder.
TEST(SupportLogPlace, FollowsTheStateFolderRules) {
  EXPECT_EQ(linux_edition::SupportLogPath("/s", "/h"), "/s/tessalykorvane/launcher.log");
  EXPECT_EQ(linux_edition::SupportLogPath("s", "/h"),
            "/h/.local/state/tessalykorvane/launcher.log");
}

}  // namespace
}  // namespace korvane::e2e
