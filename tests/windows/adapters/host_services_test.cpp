// The host services and the support log on real files in a temporary folder.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "row_name.h"
#include "temp_folder.h"
#include "windows/file_support_log.h"
#include "windows/wide_text.h"
#include "windows/win32.h"
#include "windows/win32_host_services.h"

namespace korvane::windows::test {
namespace {

class HostServicesTest : public testing::Test {
 public:
  HostServicesTest() {
    WriteTestFile(folder / u"源.mdb", "source");
    WriteTestFile(folder / u"目标.mdb", "target");
  }

  // Runs `operation`, which must raise; returns the error's number after
  // checking that it carries a description and the operation's name.
  static std::int32_t FailureOf(const std::function<void()>& operation, const Text& source) {
    try {
      operation();
    } catch (const Error& error) {
      EXPECT_FALSE(error.Description().empty());
      EXPECT_EQ(error.Source(), source);
      return error.Number();
    }
    ADD_FAILURE() << "the operation did not raise";
    return 0;
  }

  TempFolder folder;
  Text source = folder / u"源.mdb";
  Text target = folder / u"目标.mdb";
  Text missing = folder / u"缺少.mdb";
  Win32HostServices host;
};

void MakeReadOnly(const Text& path) {
  ASSERT_TRUE(SetFileAttributesW(AsWide(path), FILE_ATTRIBUTE_READONLY));
}

const char* const kMissing = "<missing>";

// The launcher writes over the files it copies, whatever the source's
// attributes and whatever stood at the destination; the copy tells its
// progress the bytes copied, and a copy the user cancels leaves none behind.
constexpr DWORD kNoDestination = INVALID_FILE_ATTRIBUTES;
struct CopyCase {
  const char* name;
  bool sourceReadOnly;
  DWORD destination;   // its attributes, or kNoDestination
  bool sourceMissing;  // the copy fails and leaves the destination as it was
  bool userCancels = false;
};

// Remembers the progress told; answers that the user cancelled if asked to.
struct WatchedCopy : Progress {
  explicit WatchedCopy(bool cancels) : cancels(cancels) {}
  bool Advance(std::uint64_t done, std::uint64_t total) noexcept override {
    told.emplace_back(done, total);
    return !cancels;
  }
  bool cancels;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> told;
};

class CopyAttributesTest : public HostServicesTest, public testing::WithParamInterface<CopyCase> {
 public:
  // Wine's CopyFileExW overwrites a read-only or hidden file, and never
  // calls the progress routine; Windows refuses the one with
  // ERROR_ACCESS_DENIED, and calls the other half-way and at the end,
  // removing the copy and failing with ERROR_REQUEST_ABORTED when it answers
  // PROGRESS_CANCEL. This stand-in does both.
  static HostSystemCalls CopyingAsWindows() {
    HostSystemCalls calls;
    calls.copyFile = [](LPCWSTR from, LPCWSTR to, LPPROGRESS_ROUTINE routine, LPVOID data,
                        LPBOOL cancel, DWORD flags) {
      const DWORD attributes = GetFileAttributesW(to);
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
      }
      if (!CopyFileExW(from, to, nullptr, nullptr, cancel, flags)) return FALSE;
      WIN32_FILE_ATTRIBUTE_DATA copied{};
      GetFileAttributesExW(to, GetFileExInfoStandard, &copied);
      LARGE_INTEGER size{}, half{};
      size.QuadPart = copied.nFileSizeLow;
      half.QuadPart = size.QuadPart / 2;
      for (const LARGE_INTEGER done : {half, size}) {
        if (routine(size, done, size, done, 1, CALLBACK_CHUNK_FINISHED, nullptr, nullptr, data) ==
            PROGRESS_CANCEL) {
          DeleteFileW(to);
          SetLastError(ERROR_REQUEST_ABORTED);
          return FALSE;
        }
      }
      return TRUE;
    };
    return calls;
  }

  Win32HostServices copying{CopyingAsWindows()};
};

TEST_P(CopyAttributesTest, TheCopyIsWritable) {
  const CopyCase& row = GetParam();
  if (row.sourceReadOnly) MakeReadOnly(source);
  if (row.destination == kNoDestination) {
    DeleteFileW(AsWide(target));
  } else if (row.destination != 0) {
    ASSERT_TRUE(SetFileAttributesW(AsWide(target), row.destination));
  }
  WatchedCopy progress(row.userCancels);
  if (row.sourceMissing) {
    EXPECT_EQ(FailureOf([&] { copying.CopyFile(missing, target); }, u"CopyFile"),
              static_cast<std::int32_t>(ERROR_FILE_NOT_FOUND));
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_EQ(GetFileAttributesW(AsWide(target)) & kept, row.destination) << "attributes restored";
    return;
  }
  if (row.userCancels) {
    EXPECT_EQ(
        FailureOf([&] { copying.CopyFileWithProgress(source, target, progress); }, u"CopyFile"),
        static_cast<std::int32_t>(ERROR_REQUEST_ABORTED));
    EXPECT_EQ(ReadTestFile(target), kMissing);
    return;
  }
  copying.CopyFileWithProgress(source, target, progress);
  EXPECT_EQ(ReadTestFile(target), "source");
  EXPECT_FALSE(GetFileAttributesW(AsWide(target)) & FILE_ATTRIBUTE_READONLY);
  // Half of "source" and all of it, as the stand-in copy tells them.
  EXPECT_EQ(progress.told, (decltype(progress.told){{3, 6}, {6, 6}}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CopyAttributesTest,
    testing::Values(CopyCase{"ReadOnlySource", true, kNoDestination, false},
                    CopyCase{"HiddenDestination", false, FILE_ATTRIBUTE_HIDDEN, false},
                    CopyCase{"FailedCopyOverReadOnly", false, FILE_ATTRIBUTE_READONLY, true},
                    CopyCase{"CancelledCopyLeavesNone", false, kNoDestination, false, true}),
    RowName());

// Each answer of ReplaceFileW, with what Microsoft documents it to leave
// behind when given a backup name (Wine's own gives none of the partial
// failures), and Wine's own answer where another program holds the target.
// Afterwards the target's name holds the old file or the replacement and no
// file is lost; only where the swap can be neither finished nor undone is the
// target's name left free, the old file under the backup name.
enum class Left {
  kAsTheyWere,  // both files under their own names
  kSwapped,     // the replacement under the target's name, the old file as the backup
  kOldAsBackup  // the old file as the backup, the replacement under its own name
};
// Who else has which file open, and how the target stands, before the call.
enum State : unsigned {
  kJetHasTheTarget = 1,  // another user's Jet
  kBackupRead = 2,       // a reader that does not share the file's renaming,
  kReplacementRead = 4,  // from the moment ReplaceFileW answers
  kTargetReadOnly = 8,
  kTargetMissing = 16,
};
constexpr DWORD kWinesOwnAnswer = ~DWORD{0};

struct ReplaceCase {
  const char* name;
  DWORD answer;  // the error ReplaceFileW answers, ERROR_SUCCESS for success
  Left left;
  unsigned state;
  DWORD raised;  // 0: ReplaceFile returned
  const char* target;
  const char* replacement;
  const char* backup;
};

class ReplaceOutcomeTest : public HostServicesTest,
                           public testing::WithParamInterface<ReplaceCase> {
 public:
  Text backup = folder / u"目标.old";
  std::vector<e2e::OpenFile> others;
};

TEST_P(ReplaceOutcomeTest, TheTargetsNameKeepsAFile) {
  const ReplaceCase& row = GetParam();
  auto read = [this](LPCWSTR path) { others.push_back(e2e::OpenExisting(path, GENERIC_READ, 0)); };
  HostSystemCalls calls;
  if (row.answer != kWinesOwnAnswer) {
    calls.replaceFile = [&](LPCWSTR target, LPCWSTR replacement, LPCWSTR backup, DWORD, LPVOID,
                            LPVOID) {
      if (row.left != Left::kAsTheyWere) MoveFileW(target, backup);
      if (row.left == Left::kSwapped) MoveFileW(replacement, target);
      if (row.state & kBackupRead) read(backup);
      if (row.state & kReplacementRead) read(replacement);
      SetLastError(row.answer);
      return row.answer == ERROR_SUCCESS;
    };
  }
  Win32HostServices replacing(calls);
  if (row.state & kJetHasTheTarget) others.push_back(e2e::OpenAsJet(AsWide(target)));
  if (row.state & kTargetMissing) DeleteFileW(AsWide(target));
  if (row.state & kTargetReadOnly) MakeReadOnly(target);
  if (row.raised == 0) {
    replacing.ReplaceFile(target, source, backup);
  } else {
    EXPECT_EQ(FailureOf([&] { replacing.ReplaceFile(target, source, backup); }, u"ReplaceFile"),
              static_cast<std::int32_t>(row.raised));
  }
  others.clear();
  EXPECT_EQ(ReadTestFile(target), row.target);
  EXPECT_EQ(ReadTestFile(source), row.replacement);
  EXPECT_EQ(ReadTestFile(backup), row.backup);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReplaceOutcomeTest,
    testing::Values(
        ReplaceCase{"Swapped", ERROR_SUCCESS, Left::kSwapped, 0, 0, "source", kMissing, "target"},
        ReplaceCase{"UnableToRemoveReplaced", ERROR_UNABLE_TO_REMOVE_REPLACED, Left::kAsTheyWere, 0,
                    ERROR_UNABLE_TO_REMOVE_REPLACED, "target", "source", kMissing},
        ReplaceCase{"UnableToMoveReplacement", ERROR_UNABLE_TO_MOVE_REPLACEMENT, Left::kAsTheyWere,
                    0, ERROR_UNABLE_TO_MOVE_REPLACEMENT, "target", "source", kMissing},
        ReplaceCase{"UnableToMoveReplacement2PutsTheOldFileBack",
                    ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Left::kOldAsBackup, 0,
                    ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, "target", "source", kMissing},
        ReplaceCase{"UnableToMoveReplacement2FinishesWhenTheOldFileCannotGoBack",
                    ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Left::kOldAsBackup, kBackupRead, 0,
                    "source", kMissing, "target"},
        ReplaceCase{"UnableToMoveReplacement2StrandedWhenNeitherMoves",
                    ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Left::kOldAsBackup,
                    kBackupRead | kReplacementRead, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, kMissing,
                    "source", "target"},
        ReplaceCase{"SharingViolationWhileJetHasTheTargetOpen", kWinesOwnAnswer, Left::kAsTheyWere,
                    kJetHasTheTarget, ERROR_SHARING_VIOLATION, "target", "source", kMissing},
        ReplaceCase{"AccessDeniedToAReadOnlyTarget", kWinesOwnAnswer, Left::kAsTheyWere,
                    kTargetReadOnly, ERROR_ACCESS_DENIED, "target", "source", kMissing},
        // A file system that cannot replace a file in one call refuses it
        // with one of three errors; the move over the old file takes its
        // place, within the same rules.
        ReplaceCase{"RefusedIsOneMoveOverTheTarget", ERROR_INVALID_PARAMETER, Left::kAsTheyWere, 0,
                    0, "source", kMissing, kMissing},
        ReplaceCase{"RefusedCreatesNoMissingTarget", ERROR_NOT_SUPPORTED, Left::kAsTheyWere,
                    kTargetMissing, ERROR_FILE_NOT_FOUND, kMissing, "source", kMissing},
        ReplaceCase{"RefusedKeepsAReadOnlyTarget", ERROR_NOT_SUPPORTED, Left::kAsTheyWere,
                    kTargetReadOnly, ERROR_ACCESS_DENIED, "target", "source", kMissing}),
    RowName());

// While another user's Jet has a file open to write, the launcher cannot hold
// it against writers. The file's stamp, read meanwhile, differs from the held
// file's stamp once a write has reached it, even within the file system's
// clock's granularity, or another file has taken its name.
struct StampCase {
  const char* name;
  // Between the two stamps, with Jet's handle on the target.
  void (*change)(e2e::OpenFile& jet, const Text& target, const Text& other);
  bool changes;
};

class StampTest : public HostServicesTest, public testing::WithParamInterface<StampCase> {};

TEST_P(StampTest, ChangesWithEveryWrite) {
  e2e::OpenFile jet = e2e::OpenAsJet(AsWide(target));
  ASSERT_TRUE(jet.handle);
  EXPECT_EQ(FailureOf([&] { host.HoldAgainstWriters(target); }, u"HoldAgainstWriters"),
            ERROR_SHARING_VIOLATION);
  const FileStamp before = host.StampOf(target);
  GetParam().change(jet, target, source);
  jet = {};
  EXPECT_EQ(host.HoldAgainstWriters(target)->Stamp() != before, GetParam().changes);
}

// Writes at the file's start (FILE_BEGIN) or end (FILE_END).
void Write(HANDLE file, DWORD from, const char* bytes) {
  DWORD written = 0;
  SetFilePointer(file, 0, nullptr, from);
  ASSERT_TRUE(WriteFile(file, bytes, static_cast<DWORD>(std::strlen(bytes)), &written, nullptr));
}

FILETIME LastWrite(HANDLE file) {
  FILETIME lastWrite{};
  GetFileTime(file, nullptr, nullptr, &lastWrite);
  return lastWrite;
}

void WriteNothing(e2e::OpenFile&, const Text&, const Text&) {}

void OverwriteInPlace(e2e::OpenFile& jet, const Text&, const Text&) {
  Sleep(20);  // past a tick of the clock
  Write(jet.handle.get(), FILE_BEGIN, "T");
}

void AppendWithinTheClocksGranularity(e2e::OpenFile& jet, const Text&, const Text&) {
  const FILETIME lastWrite = LastWrite(jet.handle.get());
  Write(jet.handle.get(), FILE_END, "+");
  SetFileTime(jet.handle.get(), nullptr, nullptr, &lastWrite);
}

// The other file has the same size and, from here, the same last write.
void PutAnotherFileInItsPlace(e2e::OpenFile& jet, const Text& target, const Text& other) {
  const FILETIME lastWrite = LastWrite(jet.handle.get());
  jet = {};
  SetFileTime(e2e::OpenExisting(AsWide(other), FILE_WRITE_ATTRIBUTES, 0).handle.get(), nullptr,
              nullptr, &lastWrite);
  ASSERT_TRUE(MoveFileExW(AsWide(other), AsWide(target), MOVEFILE_REPLACE_EXISTING));
}

INSTANTIATE_TEST_SUITE_P(Files, StampTest,
                         testing::Values(StampCase{"NothingWritten", WriteNothing, false},
                                         StampCase{"OverwrittenInPlace", OverwriteInPlace, true},
                                         StampCase{"AppendedWithinTheClocksGranularity",
                                                   AppendWithinTheClocksGranularity, true},
                                         StampCase{"AnotherFileTakesItsName",
                                                   PutAnotherFileInItsPlace, true}),
                         RowName());

// The launcher's own files lose their read-only attribute, so that they can
// be replaced or removed; a missing file is an error.
TEST_F(HostServicesTest, MakeWritableLetsTheFileGo) {
  MakeReadOnly(target);
  host.MakeWritable(target);
  EXPECT_TRUE(DeleteFileW(AsWide(target)));
  EXPECT_EQ(FailureOf([&] { host.MakeWritable(missing); }, u"MakeWritable"),
            static_cast<std::int32_t>(ERROR_FILE_NOT_FOUND));
}

// Boxes come to the front even while the main window is hidden, without an
// icon, with their own texts and buttons, No the default of a question.
TEST(ShowMessageTest, ComesToTheFrontWithItsTextsAndButtons) {
  std::vector<std::wstring> shown;
  HostSystemCalls calls;
  calls.messageBox = [&](HWND, LPCWSTR text, LPCWSTR caption, UINT style) {
    shown = {text, caption, std::to_wstring(style)};
    return IDNO;
  };
  Win32HostServices host(calls);
  EXPECT_EQ(host.ShowMessage(u"是否进行数据后端初始化工作", Text(u"系统后端数据联接失败"),
                             MessageButtons::kYesNoDefaultNo),
            MessageAnswer::kNo);
  EXPECT_EQ(shown, (std::vector<std::wstring>{
                       L"是否进行数据后端初始化工作", L"系统后端数据联接失败",
                       std::to_wstring(MB_YESNO | MB_DEFBUTTON2 | MB_SETFOREGROUND)}));
}

// A NUL inside a path would make Windows act on the file named by the text
// before it; the path is refused instead.
TEST_F(HostServicesTest, APathHoldingANulIsRefusedNotTruncated) {
  const Text truncated = source + Text(1, u'\0') + u".bak";
  EXPECT_EQ(FailureOf([&] { host.CopyFile(truncated, missing); }, u"CopyFile"), ERROR_INVALID_NAME);
  EXPECT_FALSE(host.FileExists(missing));
  EXPECT_FALSE(host.FileExists(truncated));
}

TEST(CurrentDirectoryTest, ADriveRootKeepsItsBackslash) {
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
  EXPECT_EQ(Win32HostServices().CurrentDirectory(), u"C:\\");
}

// The support log: each line after the local time, the log put aside once
// past its limit, and a log that cannot be written left out without a word.
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

class SupportLogTest : public HostServicesTest, public testing::WithParamInterface<LogCase> {};

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
  const Text logs = folder / u"日志", log = logs + u"\\TessalyKorvane.log", old = log + u".old";
  const std::string earlier(row.earlier, 'x');
  if (row.place == Place::kFileForFolder) WriteTestFile(logs, "a file");
  if (row.place == Place::kFolder || row.place == Place::kFolderForLog) {
    CreateDirectoryW(AsWide(logs), nullptr);
    WriteTestFile(old, "older");
  }
  if (row.place == Place::kFolderForLog) CreateDirectoryW(AsWide(log), nullptr);
  if (row.earlier != kNoLog) WriteTestFile(log, earlier);

  const std::string before = LocalTime();
  FileSupportLog(logs).Append(u"备份后端数据\t完成");
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
  EXPECT_EQ(ReadTestFile(logs), row.place == Place::kFileForFolder ? "a file" : kMissing);
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
