// The test program started again as a second process: a second copy of the
// same executable sees the first, and once the DLL search is restricted,
// neither the program's own folder nor the current directory supplies a DLL
// named without a path any more.

#include <gtest/gtest.h>

#include "row_name.h"
#include "temp_folder.h"
#include "windows/wide_text.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

namespace korvane::windows::test {
namespace {

// Where Wine answers otherwise than Windows, the row still runs under Wine
// as a known difference: it expects Wine's answer, and fails once Wine
// gives Windows' answer, so that the mark is dropped and the row checks the
// launcher again.
bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

constexpr DWORD kLoaded = 1;
constexpr DWORD kNotFound = 0;

struct SearchCase {
  const char* name;
  const char16_t* arguments;  // for the second copy, which loads the DLL
  DWORD outcome;
  const char* wineDiffers;  // how Wine answers otherwise, if it does
};

class DllSearchTest : public testing::TestWithParam<SearchCase> {};

TEST_P(DllSearchTest, LoadsOnlyWhereTheSearchStillLooks) {
  const SearchCase& row = GetParam();
  const bool knownDifference = row.wineDiffers && UnderWine();
  // The probe DLL is built beside the test program; a copy of it under
  // another name lies in the second copy's current directory.
  const Text self = ExecutablePath();
  const Text beside = self.substr(0, self.find_last_of(u'\\')) + u"\\korvane_search_probe.dll";
  TempFolder current;
  ASSERT_TRUE(CopyFileW(AsWide(beside), AsWide(current / u"korvane_cwd_probe.dll"), FALSE));
  const DWORD outcome = RunSecondCopy(self, row.arguments, current.path);
  if (knownDifference) {
    EXPECT_NE(outcome, row.outcome)
        << "Wine now answers as Windows does; drop the mark: " << row.wineDiffers;
  } else {
    EXPECT_EQ(outcome, row.outcome);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, DllSearchTest,
    testing::Values(
        SearchCase{"ProgramFolder", u"--load-library korvane_search_probe.dll", kLoaded, nullptr},
        SearchCase{"ProgramFolderRestricted",
                   u"--load-library korvane_search_probe.dll --restricted", kNotFound, nullptr},
        SearchCase{"CurrentDirectory", u"--load-library korvane_cwd_probe.dll", kLoaded, nullptr},
        // Without the update the current directory still leaves the search.
        SearchCase{"CurrentDirectoryWithoutTheUpdate",
                   u"--load-library korvane_cwd_probe.dll --restricted-without-the-update",
                   kNotFound,
                   "Wine keeps the current directory in the DLL search after SetDllDirectoryW(L\"\")"}),
    RowName());
// clang-format on

constexpr DWORD kRunning = 1;

TEST(PreviousInstanceTest, SecondCopyOfTheSameExecutableSeesTheFirst) {
  Win32HostServices first;
  EXPECT_FALSE(first.IsPreviousInstanceRunning());
  EXPECT_FALSE(first.IsPreviousInstanceRunning()) << "asking again is no second copy";
  EXPECT_EQ(RunSecondCopy(ExecutablePath(), u"--as-second-copy"), kRunning);
}

TEST(PreviousInstanceTest, MutexNameIsAValidObjectNameForEveryPath) {
  const Text longPath = u"C:\\" + Text(400, u'长') + u"\\TessalyKorvane.exe";
  const Text paths[] = {u"C:\\App\\TessalyKorvane.exe", longPath};
  for (const Text& path : paths) {
    const Text name = PreviousInstanceMutexName(path);
    const Text local = u"Local\\";
    ASSERT_EQ(name.substr(0, local.size()), local);
    const Text rest = name.substr(local.size());
    EXPECT_EQ(rest.find_first_of(u"\\:"), Text::npos) << ::testing::PrintToString(path);
    EXPECT_LT(name.size(), static_cast<std::size_t>(MAX_PATH)) << ::testing::PrintToString(path);
  }
  EXPECT_EQ(PreviousInstanceMutexName(u"C:\\App\\TessalyKorvane.exe"),
            PreviousInstanceMutexName(u"c:\\app\\tessalykorvane.EXE"));
}

}  // namespace
}  // namespace korvane::windows::test
