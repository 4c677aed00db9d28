// Path conversion between the launcher's Windows paths and POSIX paths.

#include <gtest/gtest.h>

#include "linux/services/utf8_text.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "support/scratch_folder.h"

#include "row_name.h"

namespace korvane::linux_edition {
namespace {

const DriveMap kDrives("K=/tmp/x; l = /srv/y/ ;M=/tmp/x/inner");

struct PathPair {
  const char16_t* windows;
  const char* posix;
  bool backAgain = true;  // else a spelling that normalises as Windows normalises it
};

TEST(WindowsPaths, ConvertBothWaysAndNormaliseAsOnWindows) {
  for (const auto& [windows, posix, backAgain] :
       {PathPair{u"Z:\\home\\me\\系统前端.mde", "/home/me/系统前端.mde"}, PathPair{u"Z:\\", "/"},
        PathPair{u"K:\\", "/tmp/x"}, PathPair{u"K:\\数据\\a.mdb", "/tmp/x/数据/a.mdb"},
        PathPair{u"L:\\data.mdb", "/srv/y/data.mdb"},
        // The longest mapped folder wins.
        PathPair{u"M:\\a", "/tmp/x/inner/a"}, PathPair{u"Z:\\tmp\\xy", "/tmp/xy"},
        PathPair{u"z:/home/me/", "/home/me", false},
        // A drive root's folder joined with its own backslash.
        PathPair{u"K:\\\\系统前端.mde", "/tmp/x/系统前端.mde", false},
        PathPair{u"Z:\\a\\.\\b\\..\\c", "/a/c", false},
        // ".." never leaves the drive.
        PathPair{u"K:\\..\\..\\etc\\passwd", "/tmp/x/etc/passwd", false}}) {
    EXPECT_EQ(kDrives.ToPosix(windows), posix);
    if (backAgain) {
      EXPECT_EQ(kDrives.ToWindows(posix), windows);
    }
  }
}

TEST(WindowsPaths, RefusesWhatNamesNoFileOnAMappedDrive) {
  for (const Text& path :
       {Text(u"系统前端.mde"), Text(u"\\a\\b"), Text(u"K:a.mdb"), Text(u"Z:"),
        Text(u"\\\\server\\share\\a.mdb"), Text(u"Q:\\a.mdb"), Text(u"Z:\\a\0b", 6)}) {
    EXPECT_THROW(kDrives.ToPosix(path), Error) << ToUtf8(path);
  }
  for (const std::string& path : {std::string("relative/a"), std::string("/a\\b"),
                                  std::string("/a\xff"), std::string("/a\0b", 4)}) {
    EXPECT_THROW(kDrives.ToWindows(path), Error) << path;
  }
  for (const char* drives : {"K", "K=relative", "KK=/tmp", "Z=/tmp", "K=/tmp;k=/srv", "K=/"}) {
    EXPECT_THROW(DriveMap{drives}, Error) << drives;
  }
}

// A name finds its file whatever the case of its ASCII letters, as on
// Windows, but never picks one of several candidates.
struct StoredNameRow {
  const char* name;
  std::vector<std::string> files;
  std::string asked;
  std::string found;
};

class StoredName : public ::testing::TestWithParam<StoredNameRow> {};

TEST_P(StoredName, IsFound) {
  const testing::ScratchFolder folder;
  for (const std::string& file : GetParam().files) folder.Make(file, file);
  EXPECT_EQ(ToPosixPath(folder.WindowsFile(GetParam().asked)), folder.File(GetParam().found));
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredName,
    ::testing::Values(
        StoredNameRow{"OtherCase", {"Korvane数据.MDB"}, "korvane数据.mdb", "Korvane数据.MDB"},
        StoredNameRow{"ExactNameFirst", {"DATA.MDB", "DATA.mdb"}, "DATA.mdb", "DATA.mdb"},
        StoredNameRow{"SeveralCandidates", {"DATA.MDB", "DATA.mdb"}, "data.mdb", "data.mdb"},
        StoredNameRow{"NoCandidate", {"DATA.MDB"}, "DATA.MDX", "DATA.MDX"}),
    RowName());

}  // namespace
}  // namespace korvane::linux_edition
