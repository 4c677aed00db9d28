// Path conversion between the launcher's Windows paths and POSIX paths.

#include <gtest/gtest.h>

#include "linux/services/windows_paths.h"
#include "platform/error.h"

namespace korvane::linux_edition {
namespace {

constexpr char kDrives[] = "K=/tmp/x; l = /srv/y/ ;M=/tmp/x/inner";

struct ToPosixCase {
  const char16_t* windows;
  const char* posix;
};

class WindowsToPosix : public ::testing::TestWithParam<ToPosixCase> {};

TEST_P(WindowsToPosix, Converts) {
  EXPECT_EQ(DriveMap(kDrives).ToPosix(GetParam().windows), GetParam().posix);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsToPosix,
    ::testing::Values(
        ToPosixCase{u"Z:\\home\\me\\demo\\系统前端.mde", "/home/me/demo/系统前端.mde"},
        ToPosixCase{u"z:/home/me", "/home/me"}, ToPosixCase{u"Z:\\", "/"},
        // A drive root's folder joined with its own backslash.
        ToPosixCase{u"K:\\\\系统前端.mde", "/tmp/x/系统前端.mde"}, ToPosixCase{u"K:\\", "/tmp/x"},
        ToPosixCase{u"k:\\a\\b\\", "/tmp/x/a/b"}, ToPosixCase{u"L:\\data.mdb", "/srv/y/data.mdb"},
        ToPosixCase{u"M:\\a", "/tmp/x/inner/a"}, ToPosixCase{u"Z:\\a\\.\\b\\..\\c", "/a/c"},
        // ".." never leaves the drive, as on Windows.
        ToPosixCase{u"K:\\..\\..\\etc\\passwd", "/tmp/x/etc/passwd"}));

struct ToWindowsCase {
  const char* posix;
  const char16_t* windows;
};

class PosixToWindows : public ::testing::TestWithParam<ToWindowsCase> {};

TEST_P(PosixToWindows, Converts) {
  EXPECT_EQ(DriveMap(kDrives).ToWindows(GetParam().posix), GetParam().windows);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PosixToWindows,
    ::testing::Values(ToWindowsCase{"/home/me/demo/系统前端.mde",
                                    u"Z:\\home\\me\\demo\\系统前端.mde"},
                      ToWindowsCase{"/", u"Z:\\"}, ToWindowsCase{"//home//me/", u"Z:\\home\\me"},
                      ToWindowsCase{"/tmp/x", u"K:\\"}, ToWindowsCase{"/tmp/x/", u"K:\\"},
                      ToWindowsCase{"/tmp/x/a.mdb", u"K:\\a.mdb"},
                      ToWindowsCase{"/tmp/xy/a.mdb", u"Z:\\tmp\\xy\\a.mdb"},
                      // The longest mapped folder wins.
                      ToWindowsCase{"/tmp/x/inner", u"M:\\"},
                      ToWindowsCase{"/tmp/x/inner/a", u"M:\\a"}, ToWindowsCase{"/srv/y", u"L:\\"}));

TEST(WindowsPaths, RoundTripKeepsChineseNames) {
  const DriveMap drives(kDrives);
  for (const char* path : {"/tmp/x/数据/Korvane后端备份.mdb", "/home/档案/2025年档案.mdb"}) {
    EXPECT_EQ(drives.ToPosix(drives.ToWindows(path)), path);
  }
}

class RefusedWindowsPath : public ::testing::TestWithParam<Text> {};

TEST_P(RefusedWindowsPath, Raises) {
  EXPECT_THROW(DriveMap(kDrives).ToPosix(GetParam()), Error);
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedWindowsPath,
                         ::testing::Values(Text(u"系统前端.mde"), Text(u"a\\b"), Text(u"\\a\\b"),
                                           Text(u"K:a.mdb"), Text(u"Z:"),
                                           Text(u"\\\\server\\share\\a.mdb"), Text(u"Q:\\a.mdb"),
                                           Text(u""), Text(u"Z:\\a\0b", 6)));

class RefusedPosixPath : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedPosixPath, Raises) {
  EXPECT_THROW(DriveMap(kDrives).ToWindows(GetParam()), Error);
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedPosixPath,
                         ::testing::Values(std::string("relative/a"), std::string(""),
                                           std::string("/a\\b"), std::string("/a\xff"),
                                           std::string("/a\0b", 4)));

class RefusedDriveSpec : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedDriveSpec, Raises) {
  EXPECT_THROW(DriveMap{GetParam()}, Error);
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedDriveSpec,
                         ::testing::Values("K", "K=relative", "KK=/tmp", "1=/tmp", "Z=/tmp",
                                           "K=/tmp;k=/srv", "K=/"));

TEST(WindowsPaths, EnvironmentNamesTheDrives) {
  ::setenv(kDrivesVariable, "Q=/srv/q", 1);
  EXPECT_EQ(ToPosixPath(u"Q:\\a"), "/srv/q/a");
  EXPECT_EQ(ToWindowsPath("/srv/q"), u"Q:\\");
  ::unsetenv(kDrivesVariable);
  EXPECT_THROW(ToPosixPath(u"Q:\\a"), Error);
}

}  // namespace
}  // namespace korvane::linux_edition
