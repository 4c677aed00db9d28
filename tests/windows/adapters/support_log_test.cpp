// The support log on real files: each line after the local time, the log
// put aside once past its limit, and a log that cannot be written left out
// without a word.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "row_name.h"
#include "temp_folder.h"
#include "windows/file_support_log.h"
#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows::test {
namespace {

const char* const kMissing = "<missing>";
constexpr std::size_t kNoLog = 0;

// What stands where the log's folder and the log go.
enum class Place { kNothing, kFolder, kFileForFolder, kFolderForLog };

struct LogCase {
  const char* name;
  Place place;
  std::size_t earlier;  // bytes of an earlier log in the folder ("x"s), or kNoLog
  // Afterwards, with an earlier log's bytes shown as "<earlier>" and the
  // local time of the append as "<time>".
  const char* log;
  const char* old;
};

class SupportLogTest : public testing::TestWithParam<LogCase> {};

std::string LocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond);
  return stamp;
}

TEST_P(SupportLogTest, AppendsALineOrLeavesItOut) {
  const LogCase& row = GetParam();
  TempFolder temp;
  const Text folder = temp / u"日志", log = folder + u"\\TessalyKorvane.log", old = log + u".old";
  const std::string earlier(row.earlier, 'x');
  if (row.place == Place::kFileForFolder) WriteTestFile(folder, "a file");
  if (row.place == Place::kFolder || row.place == Place::kFolderForLog) {
    CreateDirectoryW(AsWide(folder), nullptr);
    WriteTestFile(old, "older");
  }
  if (row.place == Place::kFolderForLog) CreateDirectoryW(AsWide(log), nullptr);
  if (row.earlier != kNoLog) WriteTestFile(log, earlier);

  const std::string before = LocalTime();
  FileSupportLog(folder).Append(u"备份后端数据\t完成");
  const std::string after = LocalTime();

  auto shown = [&](std::string text) {
    if (row.earlier != kNoLog && text.rfind(earlier, 0) == 0) {
      text.replace(0, row.earlier, "<earlier>");
    }
    const std::size_t at = text.rfind("<earlier>", 0) == 0 ? 9 : 0;
    for (const std::string& stamp : {before, after}) {
      if (text.compare(at, stamp.size(), stamp) == 0)
        return text.replace(at, stamp.size(), "<time>");
    }
    return text;
  };
  EXPECT_EQ(shown(ReadTestFile(log)), row.log);
  EXPECT_EQ(shown(ReadTestFile(old)), row.old);
  EXPECT_EQ(ReadTestFile(folder), row.place == Place::kFileForFolder ? "a file" : kMissing);
}

const char kLine[] = "<time>\t备份后端数据\t完成\r\n";

INSTANTIATE_TEST_SUITE_P(
    Logs, SupportLogTest,
    testing::Values(
        LogCase{"FirstLineMakesTheFolder", Place::kNothing, kNoLog, kLine, kMissing},
        LogCase{"AppendsUpToTheLimit", Place::kFolder, kSupportLogLimit,
                "<earlier><time>\t备份后端数据\t完成\r\n", "older"},
        LogCase{"PastTheLimitTheLogMakesWayForANewOne", Place::kFolder, kSupportLogLimit + 1, kLine,
                "<earlier>"},
        LogCase{"AFileWhereTheFolderGoes", Place::kFileForFolder, kNoLog, kMissing, kMissing},
        LogCase{"AFolderWhereTheLogGoes", Place::kFolderForLog, kNoLog, kMissing, "older"}),
    RowName());

}  // namespace
}  // namespace korvane::windows::test
