// 备份后端数据 and 压缩后端数据 killed (SIGKILL) at points along their way, on
// a back-end large enough to take a while: after each kill the back-end's
// name holds a sound database with all its rows, the backup is the previous
// one or a complete new one, and the next run of the command leaves no
// scratch file behind.

#include <fstream>
#include <map>

#include "e2e_fixture.h"

#include "row_name.h"

namespace korvane::e2e {
namespace {

using Sizes = std::map<std::string, std::uintmax_t>;

constexpr char kOldBackUp[] = "an older backup";
const std::string kBackUpName = "Korvane后端备份.mdb";

// The files of a folder and their sizes, as they are at this moment.
Sizes SizesIn(const std::string& folder) {
  Sizes sizes;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code gone;
    const std::uintmax_t size = fs::file_size(it->path(), gone);
    if (!gone) sizes[it->path().filename().string()] = size;
  }
  return sizes;
}

// A kill once a file that is new in the folder the command writes in (the
// launcher's for a backup, the back-end's for a compaction), or has changed
// its size there, holds at least `share` of the back-end's size; 0: as soon
// as one appears.
struct KillPoint {
  const char* name;
  bool compaction;  // else the backup
  double share;
};

class KilledMidway : public LauncherTest, public ::testing::WithParamInterface<KillPoint> {
 protected:
  void SetUp() override {
    demo.GrowBackEnd();
    fs::copy_file(demo.files.frontEnd, demo.App("查询系统.mde"));
    std::ofstream(demo.App(kBackUpName)) << kOldBackUp;
  }

  // Whether the back-end is a sound database, and its tables' row counts.
  std::string BackEnd() const {
    return Ask(demo.files.dataBackEnd,
               "SELECT (SELECT quick_check FROM pragma_quick_check) || ' ' || (SELECT COUNT(*) "
               "FROM 代码) || ' ' || (SELECT COUNT(*) FROM 流水)");
  }
};

TEST_P(KilledMidway, LosesNothingAndLeavesNothingAfterTheNextRun) {
  const KillPoint& point = GetParam();
  const std::string backEnd = BackEnd();
  const auto programFiles = Listing(demo.folder.File("app"));
  const auto shareFiles = Listing(demo.Share());
  const std::string script = point.compaction ? "choose 压缩后端数据" : "choose 备份后端数据";

  {
    LauncherProcess launcher(demo, {script, "answer OK"});
    const std::string folder = point.compaction ? demo.Share() : demo.folder.File("app");
    const Sizes before = SizesIn(folder);
    const auto bytes =
        static_cast<std::uintmax_t>(point.share * fs::file_size(demo.files.dataBackEnd));
    ASSERT_TRUE(Eventually([&] {
      for (const auto& [name, size] : SizesIn(folder)) {
        const auto old = before.find(name);
        if ((old == before.end() || old->second != size) && size >= bytes) return true;
      }
      return false;
    })) << "the command never reached the kill point";
    launcher.Kill();
  }

  EXPECT_EQ(BackEnd(), backEnd);
  const std::string backUp = ReadFile(demo.App(kBackUpName));
  EXPECT_TRUE(backUp == kOldBackUp || backUp == ReadFile(demo.files.dataBackEnd))
      << "a backup of " << backUp.size() << " bytes";

  const Outcome next = RunLauncher(demo, {script, "answer OK"});

  EXPECT_TRUE(LogMatches(next.log, {kShown, point.compaction ? kCompacted : kBackedUp, "idle"}));
  EXPECT_EQ(BackEnd(), backEnd);
  EXPECT_EQ(Listing(demo.folder.File("app")), programFiles);
  EXPECT_EQ(Listing(demo.Share()), shareFiles);
}

INSTANTIATE_TEST_SUITE_P(, KilledMidway,
                         ::testing::Values(KillPoint{"BackUpAsTheCopyStarts", false, 0},
                                           KillPoint{"BackUpHalfCopied", false, 0.5},
                                           KillPoint{"BackUpFullyCopied", false, 0.95},
                                           KillPoint{"CompactionAsTheCopyStarts", true, 0},
                                           KillPoint{"CompactionHalfWritten", true, 0.5},
                                           KillPoint{"CompactionFullyWritten", true, 0.95}),
                         RowName());

}  // namespace
}  // namespace korvane::e2e
