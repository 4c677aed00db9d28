// The host services' outcomes on real files: copies, deletions, renames and
// replacements, with files locked by other processes and read-only files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "linux/services/file_lock.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/utf8_text.h"
#include "platform/error.h"
#include "support/scratch_folder.h"

#include "row_name.h"

namespace korvane::linux_edition {
namespace {

using std::filesystem::exists;
using testing::Listing;
using testing::ReadFile;
using testing::ScratchFolder;

class HostServicesFiles : public ::testing::Test {
 protected:
  ScratchFolder folder;
  PosixHostServices host{[](auto&&...) { return MessageAnswer::kOk; }};

  Text Win(const std::string& name) const { return folder.WindowsFile(name); }
};

// A copy over what may lie in the way: the destination gets the source's
// bytes and is writable whatever the modes were, and no scratch file stays.
struct CopyScene {
  const char* name;
  mode_t sourceMode;
  const char* destination;  // nullptr: none
  mode_t destinationMode;
  const char* leftover;  // a killed copy's scratch file; nullptr: none
};

class Copied : public HostServicesFiles, public ::testing::WithParamInterface<CopyScene> {};

TEST_P(Copied, IsCompleteAndWritable) {
  const CopyScene& row = GetParam();
  ::chmod(folder.Make("a.mdb", std::string(3 << 20, 'x') + "end").c_str(), row.sourceMode);
  if (row.destination) ::chmod(folder.Make("b.mdb", row.destination).c_str(), row.destinationMode);
  if (row.leftover) folder.Make(row.leftover, std::string(1 << 20, 'p'));

  host.CopyFile(Win("a.mdb"), Win("b.mdb"));

  EXPECT_EQ(ReadFile(folder.File("b.mdb")), ReadFile(folder.File("a.mdb")));
  struct stat status {};
  ASSERT_EQ(::stat(folder.File("b.mdb").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, row.sourceMode | S_IWUSR);
  EXPECT_EQ(Listing(folder.Path()), (std::vector<std::string>{"a.mdb", "b.mdb"}));
  // The next copy over it is never refused for its mode.
  EXPECT_NO_THROW(host.CopyFile(Win("a.mdb"), Win("b.mdb")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Copied,
    ::testing::Values(CopyScene{"New", 0640, nullptr, 0, nullptr},
                      CopyScene{"OfAReadOnlySource", 0444, nullptr, 0, nullptr},
                      CopyScene{"OverAReadOnlyFile", 0644, "old", 0444, nullptr},
                      CopyScene{"BesideWhatAKilledCopyLeft", 0644, "old", 0644, "b.mdb.copying"}),
    RowName());

// How a file stands in the way of an operation.
void OpenElsewhere(const std::string& path, FileLock& held) {
  held = FileLock::Acquire(path, LockKind::kShared, u"");
}
void ReadOnly(const std::string& path, FileLock&) {
  ::chmod(path.c_str(), 0444);
}

// An operation on the files "a" (content "A") and "b" (content "B") refused
// because of an obstacle on one of them: it raises and leaves both files as
// they were, with no scratch file left beside them.
struct Refusal {
  const char* name;
  std::function<void(HostServices&, const ScratchFolder&)> operation;
  std::string file;
  void (*obstruct)(const std::string& path, FileLock& held);
};

class Refused : public HostServicesFiles, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, LeavesBothFilesAsTheyWere) {
  folder.Make("a", "A");
  folder.Make("b", "B");
  const std::string path = folder.File(GetParam().file);
  if (!exists(path)) folder.Make(GetParam().file, "partial");
  FileLock held;
  GetParam().obstruct(path, held);
  const auto before = Listing(folder.Path());
  EXPECT_THROW(GetParam().operation(host, folder), Error);
  EXPECT_EQ(Listing(folder.Path()), before);
  EXPECT_EQ(ReadFile(folder.File("a")), "A");
  EXPECT_EQ(ReadFile(folder.File("b")), "B");
}

void Copy(HostServices& host, const ScratchFolder& f) {
  host.CopyFile(f.WindowsFile("a"), f.WindowsFile("b"));
}
void Delete(HostServices& host, const ScratchFolder& f) {
  host.DeleteFile(f.WindowsFile("a"));
}
void Rename(HostServices& host, const ScratchFolder& f) {
  host.RenameFile(f.WindowsFile("a"), f.WindowsFile("c"));
}
void Replace(HostServices& host, const ScratchFolder& f) {
  host.ReplaceFile(f.WindowsFile("a"), f.WindowsFile("b"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refused,
    ::testing::Values(Refusal{"CopyOfALockedSource", Copy, "a", OpenElsewhere},
                      Refusal{"CopyOntoALockedFile", Copy, "b", OpenElsewhere},
                      // Another program is still writing the scratch file.
                      Refusal{"CopyBesideAScratchFileInUse", Copy, "b.copying", OpenElsewhere},
                      Refusal{"DeleteOfALockedFile", Delete, "a", OpenElsewhere},
                      Refusal{"DeleteOfAReadOnlyFile", Delete, "a", ReadOnly},
                      Refusal{"RenameOfALockedFile", Rename, "a", OpenElsewhere},
                      Refusal{"ReplaceOfALockedTarget", Replace, "a", OpenElsewhere},
                      Refusal{"ReplaceOfAReadOnlyTarget", Replace, "a", ReadOnly},
                      Refusal{"ReplaceByALockedFile", Replace, "b", OpenElsewhere}),
    RowName());

TEST_F(HostServicesFiles, CopyOntoItselfOrOfAFileThisProcessHoldsIsRefused) {
  folder.Make("a.mdb", "data");
  EXPECT_THROW(host.CopyFile(Win("a.mdb"), Win("a.mdb")), Error);
  EXPECT_EQ(ReadFile(folder.File("a.mdb")), "data");
  const FileLock open = FileLock::Acquire(folder.File("a.mdb"), LockKind::kShared, u"test");
  EXPECT_THROW(host.CopyFile(Win("a.mdb"), Win("b.mdb")), Error);
  EXPECT_FALSE(exists(folder.File("b.mdb")));
}

TEST_F(HostServicesFiles, RenameNeverOverwrites) {
  folder.Make("a.mdb", "new");
  folder.Make("b.mdb", "old");
  EXPECT_THROW(host.RenameFile(Win("a.mdb"), Win("b.mdb")), Error);
  EXPECT_EQ(ReadFile(folder.File("b.mdb")), "old");
  host.RenameFile(Win("a.mdb"), Win("c.mdb"));
  EXPECT_EQ(Listing(folder.Path()), (std::vector<std::string>{"b.mdb", "c.mdb"}));
}

TEST_F(HostServicesFiles, FileExistsOnlyForFiles) {
  folder.Make("a.mdb", "");
  folder.MakeFolder("sub");
  EXPECT_TRUE(host.FileExists(Win("a.mdb")));
  for (const Text& path : {Win("b.mdb"), Win("sub"), Text(), Text(u"Q:\\a.mdb"), Text(u"a.mdb")}) {
    EXPECT_FALSE(host.FileExists(path)) << ToUtf8(path);
  }
}

}  // namespace
}  // namespace korvane::linux_edition
