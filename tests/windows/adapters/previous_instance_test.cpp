// The previous-instance check across processes: a second copy of the same
// executable sees the first; a copy at another path does not.

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "windows/wide_text.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

namespace korvane::windows::test {
namespace {

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
