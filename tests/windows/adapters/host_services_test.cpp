// The host services on real files in a temporary folder.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "row_name.h"
#include "temp_folder.h"
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

// The launcher writes over the files it copies, whatever the source's
// attributes and whatever stood at the destination.
constexpr DWORD kNoDestination = INVALID_FILE_ATTRIBUTES;
struct CopyCase {
  const char* name;
  bool sourceReadOnly;
  DWORD destination;   // its attributes, or kNoDestination
  bool sourceMissing;  // the copy fails and leaves the destination as it was
};

class CopyAttributesTest : public HostServicesTest, public testing::WithParamInterface<CopyCase> {
 public:
  // Wine's CopyFileW overwrites a read-only or hidden file; Windows refuses
  // with ERROR_ACCESS_DENIED, as this stand-in does before it copies.
  static HostSystemCalls CopyingAsWindows() {
    HostSystemCalls calls;
    calls.copyFile = [](LPCWSTR from, LPCWSTR to, BOOL failIfExists) {
      const DWORD attributes = GetFileAttributesW(to);
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
      }
      return CopyFileW(from, to, failIfExists);
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
  if (row.sourceMissing) {
    EXPECT_EQ(FailureOf([&] { copying.CopyFile(missing, target); }, u"CopyFile"),
              static_cast<std::int32_t>(ERROR_FILE_NOT_FOUND));
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_EQ(GetFileAttributesW(AsWide(target)) & kept, row.destination) << "attributes restored";
    return;
  }
  copying.CopyFile(source, target);
  EXPECT_EQ(ReadTestFile(target), "source");
  EXPECT_FALSE(GetFileAttributesW(AsWide(target)) & FILE_ATTRIBUTE_READONLY);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CopyAttributesTest,
    testing::Values(CopyCase{"ReadOnlySource", true, kNoDestination, false},
                    CopyCase{"HiddenDestination", false, FILE_ATTRIBUTE_HIDDEN, false},
                    CopyCase{"FailedCopyOverReadOnly", false, FILE_ATTRIBUTE_READONLY, true}),
    RowName());

// A file system that refuses one-step replacement answers ReplaceFileW with
// one of three errors; the move over the old file takes its place, within
// the same rules.
struct RefusedReplaceCase {
  const char* name;
  DWORD refusal;
  bool targetMissing;
  bool targetReadOnly;
  DWORD raised;  // 0: the replacement took the target's place
};

class RefusedReplaceTest : public HostServicesTest,
                           public testing::WithParamInterface<RefusedReplaceCase> {};

TEST_P(RefusedReplaceTest, MovesOverTheTargetInOneStep) {
  const RefusedReplaceCase& row = GetParam();
  HostSystemCalls calls;
  calls.replaceFile = [&row](LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    SetLastError(row.refusal);
    return FALSE;
  };
  Win32HostServices refusing(calls);
  if (row.targetMissing) DeleteFileW(AsWide(target));
  if (row.targetReadOnly) MakeReadOnly(target);
  if (row.raised == 0) {
    refusing.ReplaceFile(target, source);
    EXPECT_EQ(ReadTestFile(target), "source");
    return;
  }
  EXPECT_EQ(FailureOf([&] { refusing.ReplaceFile(target, source); }, u"ReplaceFile"),
            static_cast<std::int32_t>(row.raised));
  EXPECT_EQ(ReadTestFile(target), row.targetMissing ? "<missing>" : "target");
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedReplaceTest,
    testing::Values(RefusedReplaceCase{"InvalidParameter", ERROR_INVALID_PARAMETER, false, false,
                                       0},
                    RefusedReplaceCase{"MissingTargetIsNotCreated", ERROR_NOT_SUPPORTED, true,
                                       false, ERROR_FILE_NOT_FOUND},
                    RefusedReplaceCase{"ReadOnlyTargetIsKept", ERROR_NOT_SUPPORTED, false, true,
                                       ERROR_ACCESS_DENIED}),
    RowName());

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

}  // namespace
}  // namespace korvane::windows::test
