// The host services' outcomes on real files: copies, deletions, renames and
// replacements, with files locked by other processes and read-only files.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "linux/services/file_lock.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "support/lock_holder.h"
#include "support/scratch_folder.h"

namespace korvane::linux_edition {
namespace {

using testing::Exists;
using testing::Listing;
using testing::LockHolder;
using testing::ReadFile;
using testing::ScratchFolder;

MessageAnswer NoPresenter(const Text&, const Text&, MessageButtons) {
  return MessageAnswer::kOk;
}

class HostServicesFiles : public ::testing::Test {
 protected:
  ScratchFolder folder;
  PosixHostServices host{NoPresenter};

  Text Win(const std::string& name) const { return folder.WindowsFile(name); }
  void MakeReadOnly(const std::string& name) const { ::chmod(folder.File(name).c_str(), 0444); }
};

// How a file stands in the way of an operation.
enum class Obstacle { kMissing, kSharedLockElsewhere, kExclusiveLockElsewhere, kReadOnly };

std::string Describe(Obstacle obstacle) {
  switch (obstacle) {
    case Obstacle::kMissing:
      return "Missing";
    case Obstacle::kSharedLockElsewhere:
      return "SharedLockElsewhere";
    case Obstacle::kExclusiveLockElsewhere:
      return "ExclusiveLockElsewhere";
    case Obstacle::kReadOnly:
      return "ReadOnly";
  }
  return "";
}

// Puts the obstacle on the file `name` for as long as the result lives.
std::unique_ptr<LockHolder> Place(const ScratchFolder& folder, const std::string& name,
                                  Obstacle obstacle) {
  switch (obstacle) {
    case Obstacle::kMissing:
      ::unlink(folder.File(name).c_str());
      return nullptr;
    case Obstacle::kSharedLockElsewhere:
      return std::make_unique<LockHolder>(folder.File(name), LockKind::kShared);
    case Obstacle::kExclusiveLockElsewhere:
      return std::make_unique<LockHolder>(folder.File(name), LockKind::kExclusive);
    case Obstacle::kReadOnly:
      ::chmod(folder.File(name).c_str(), 0444);
      return nullptr;
  }
  return nullptr;
}

TEST_F(HostServicesFiles, CopyOverwritesAndKeepsNoScratchFile) {
  folder.Make("a.mdb", std::string(3 << 20, 'x') + "end");
  folder.Make("b.mdb", "old and longer than nothing");
  host.CopyFile(Win("a.mdb"), Win("b.mdb"));
  EXPECT_EQ(ReadFile(folder.File("b.mdb")), ReadFile(folder.File("a.mdb")));
  EXPECT_EQ(Listing(folder.Path()), (std::vector<std::string>{"a.mdb", "b.mdb"}));
}

// Every way the source or the destination can refuse a copy: the copy
// raises and the destination keeps its content, with no scratch file left.
struct CopyRefusal {
  std::string file;  // "source" or "destination"
  Obstacle obstacle;
};

class CopyRefused : public HostServicesFiles, public ::testing::WithParamInterface<CopyRefusal> {};

TEST_P(CopyRefused, LeavesTheDestinationAsItWas) {
  folder.Make("source", "new");
  folder.Make("destination", "old");
  const auto holder = Place(folder, GetParam().file, GetParam().obstacle);
  EXPECT_THROW(host.CopyFile(Win("source"), Win("destination")), Error);
  EXPECT_EQ(ReadFile(folder.File("destination")), "old");
  const auto names = Listing(folder.Path());
  EXPECT_LE(names.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CopyRefused,
    ::testing::Values(CopyRefusal{"source", Obstacle::kMissing},
                      CopyRefusal{"source", Obstacle::kSharedLockElsewhere},
                      CopyRefusal{"source", Obstacle::kExclusiveLockElsewhere},
                      CopyRefusal{"destination", Obstacle::kSharedLockElsewhere},
                      CopyRefusal{"destination", Obstacle::kExclusiveLockElsewhere},
                      CopyRefusal{"destination", Obstacle::kReadOnly}),
    [](const auto& info) { return info.param.file + Describe(info.param.obstacle); });

TEST_F(HostServicesFiles, CopyOntoItselfOrOfAFileThisProcessHoldsIsRefused) {
  folder.Make("a.mdb", "data");
  EXPECT_THROW(host.CopyFile(Win("a.mdb"), Win("a.mdb")), Error);
  EXPECT_EQ(ReadFile(folder.File("a.mdb")), "data");
  const FileLock open = FileLock::Acquire(folder.File("a.mdb"), LockKind::kShared, u"test");
  EXPECT_THROW(host.CopyFile(Win("a.mdb"), Win("b.mdb")), Error);
  EXPECT_FALSE(Exists(folder.File("b.mdb")));
}

class DeleteRefused : public HostServicesFiles, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(DeleteRefused, KeepsTheFile) {
  folder.Make("a.mdb", "data");
  const auto holder = Place(folder, "a.mdb", GetParam());
  EXPECT_THROW(host.DeleteFile(Win("a.mdb")), Error);
  if (GetParam() != Obstacle::kMissing) {
    EXPECT_EQ(ReadFile(folder.File("a.mdb")), "data");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, DeleteRefused,
                         ::testing::Values(Obstacle::kMissing, Obstacle::kSharedLockElsewhere,
                                           Obstacle::kExclusiveLockElsewhere, Obstacle::kReadOnly),
                         [](const auto& info) { return Describe(info.param); });

TEST_F(HostServicesFiles, RenameNeverOverwrites) {
  folder.Make("a.mdb", "new");
  folder.Make("b.mdb", "old");
  EXPECT_THROW(host.RenameFile(Win("a.mdb"), Win("b.mdb")), Error);
  EXPECT_EQ(ReadFile(folder.File("b.mdb")), "old");
  host.RenameFile(Win("a.mdb"), Win("c.mdb"));
  EXPECT_EQ(ReadFile(folder.File("c.mdb")), "new");
  EXPECT_FALSE(Exists(folder.File("a.mdb")));
}

TEST_F(HostServicesFiles, RenameOfMissingOrLockedFileRaises) {
  EXPECT_THROW(host.RenameFile(Win("a.mdb"), Win("b.mdb")), Error);
  folder.Make("a.mdb", "data");
  const LockHolder holder(folder.File("a.mdb"), LockKind::kShared);
  EXPECT_THROW(host.RenameFile(Win("a.mdb"), Win("b.mdb")), Error);
  EXPECT_TRUE(Exists(folder.File("a.mdb")));
}

TEST_F(HostServicesFiles, ReplacePutsTheReplacementInPlace) {
  folder.Make("target", "old");
  folder.Make("replacement", "new");
  host.ReplaceFile(Win("target"), Win("replacement"));
  EXPECT_EQ(ReadFile(folder.File("target")), "new");
  EXPECT_FALSE(Exists(folder.File("replacement")));
}

struct ReplaceRefusal {
  std::string file;  // "target" or "replacement"
  Obstacle obstacle;
};

class ReplaceRefused : public HostServicesFiles,
                       public ::testing::WithParamInterface<ReplaceRefusal> {};

TEST_P(ReplaceRefused, LeavesBothFilesAsTheyWere) {
  folder.Make("target", "old");
  folder.Make("replacement", "new");
  const auto holder = Place(folder, GetParam().file, GetParam().obstacle);
  EXPECT_THROW(host.ReplaceFile(Win("target"), Win("replacement")), Error);
  if (GetParam().file != "target") {
    EXPECT_EQ(ReadFile(folder.File("target")), "old");
  }
  if (GetParam().file != "replacement") {
    EXPECT_EQ(ReadFile(folder.File("replacement")), "new");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceRefused,
    ::testing::Values(ReplaceRefusal{"target", Obstacle::kMissing},
                      ReplaceRefusal{"target", Obstacle::kReadOnly},
                      ReplaceRefusal{"target", Obstacle::kSharedLockElsewhere},
                      ReplaceRefusal{"target", Obstacle::kExclusiveLockElsewhere},
                      ReplaceRefusal{"replacement", Obstacle::kMissing},
                      ReplaceRefusal{"replacement", Obstacle::kExclusiveLockElsewhere}),
    [](const auto& info) { return info.param.file + Describe(info.param.obstacle); });

TEST_F(HostServicesFiles, FileExistsOnlyForFiles) {
  folder.Make("a.mdb", "");
  folder.MakeFolder("sub");
  EXPECT_TRUE(host.FileExists(Win("a.mdb")));
  EXPECT_FALSE(host.FileExists(Win("b.mdb")));
  EXPECT_FALSE(host.FileExists(Win("sub")));
  EXPECT_FALSE(host.FileExists(u""));
  EXPECT_FALSE(host.FileExists(u"Q:\\a.mdb"));  // no such drive
  EXPECT_FALSE(host.FileExists(u"a.mdb"));      // not a full path
}

TEST_F(HostServicesFiles, CurrentDirectoryIsAWindowsPath) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  EXPECT_EQ(host.CurrentDirectory(), DriveMap().ToWindows(folder.Path()));
  std::filesystem::current_path("/");
  EXPECT_EQ(host.CurrentDirectory(), u"Z:\\");
  std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace korvane::linux_edition
