// The host services on real files in a temporary folder.

#include <gtest/gtest.h>

#include <functional>

#include "platform/error.h"
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

TEST_F(HostServicesTest, CopyOverwritesRenameMovesReplaceSwapsDeleteRemoves) {
  host.CopyFile(source, target);
  EXPECT_EQ(ReadTestFile(target), "source");
  EXPECT_EQ(ReadTestFile(source), "source");

  WriteTestFile(target, "target");
  const Text renamed = folder / u"新名.mdb";
  host.RenameFile(source, renamed);
  EXPECT_EQ(ReadTestFile(renamed), "source");
  EXPECT_FALSE(host.FileExists(source));

  host.ReplaceFile(target, renamed);
  EXPECT_EQ(ReadTestFile(target), "source");
  EXPECT_FALSE(host.FileExists(renamed));

  host.DeleteFile(target);
  EXPECT_FALSE(host.FileExists(target));
}

// Each failing operation raises the system's error code and leaves both
// files as they were.
struct FailingCase {
  const char* name;
  std::function<void(HostServicesTest&)> operation;
  const char16_t* source;
  DWORD code;
  bool lockSource;
  bool lockTarget;
};

class FailingOperationTest : public HostServicesTest,
                             public testing::WithParamInterface<FailingCase> {};

TEST_P(FailingOperationTest, RaisesAndLeavesTheFilesAlone) {
  const FailingCase& failing = GetParam();
  {
    std::optional<LockedFile> lockedSource;
    std::optional<LockedFile> lockedTarget;
    if (failing.lockSource) lockedSource.emplace(source);
    if (failing.lockTarget) lockedTarget.emplace(target);
    EXPECT_EQ(FailureOf([&] { failing.operation(*this); }, failing.source),
              static_cast<std::int32_t>(failing.code));
  }
  EXPECT_EQ(ReadTestFile(source), "source");
  EXPECT_EQ(ReadTestFile(target), "target");
  EXPECT_FALSE(host.FileExists(missing));
}

using T = HostServicesTest;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, FailingOperationTest,
    testing::Values(
        FailingCase{"CopyMissingSource", [](T& t) { t.host.CopyFile(t.missing, t.target); },
                    u"CopyFile", ERROR_FILE_NOT_FOUND, false, false},
        FailingCase{"CopyLockedSource", [](T& t) { t.host.CopyFile(t.source, t.missing); },
                    u"CopyFile", ERROR_SHARING_VIOLATION, true, false},
        FailingCase{"DeleteLocked", [](T& t) { t.host.DeleteFile(t.target); },
                    u"DeleteFile", ERROR_SHARING_VIOLATION, false, true},
        FailingCase{"RenameOntoExisting", [](T& t) { t.host.RenameFile(t.source, t.target); },
                    u"RenameFile", ERROR_ALREADY_EXISTS, false, false},
        FailingCase{"ReplaceLockedTarget", [](T& t) { t.host.ReplaceFile(t.target, t.source); },
                    u"ReplaceFile", ERROR_SHARING_VIOLATION, false, true},
        FailingCase{"StartMissingProgram", [](T& t) { t.host.StartProcess(t.missing, u"x", 3); },
                    u"StartProcess", ERROR_FILE_NOT_FOUND, false, false}),
    [](const testing::TestParamInfo<FailingCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(HostServicesTest, ReplacingAMissingTargetRaisesAndKeepsTheReplacement) {
  EXPECT_NE(FailureOf([&] { host.ReplaceFile(missing, source); }, u"ReplaceFile"), 0);
  EXPECT_EQ(ReadTestFile(source), "source");
}

// A NUL inside a path would make Windows act on the file named by the text
// before it; every operation must refuse the path instead.
TEST_F(HostServicesTest, APathHoldingANulIsRefusedNotTruncated) {
  const Text truncated = source + Text(1, u'\0') + u".bak";
  const std::pair<const char16_t*, std::function<void()>> operations[] = {
      {u"CopyFile", [&] { host.CopyFile(truncated, missing); }},
      {u"CopyFile", [&] { host.CopyFile(target, truncated); }},
      {u"DeleteFile", [&] { host.DeleteFile(truncated); }},
      {u"RenameFile", [&] { host.RenameFile(truncated, missing); }},
      {u"ReplaceFile", [&] { host.ReplaceFile(truncated, target); }},
      {u"StartProcess", [&] { host.StartProcess(truncated, u"x", 1); }},
      {u"StartProcess", [&] { host.StartProcess(ExecutablePath(), truncated, 1); }},
  };
  for (const auto& [name, operation] : operations) {
    EXPECT_EQ(FailureOf(operation, name), ERROR_INVALID_NAME) << ::testing::PrintToString(name);
  }
  EXPECT_EQ(ReadTestFile(source), "source");
  EXPECT_EQ(ReadTestFile(target), "target");
  EXPECT_FALSE(host.FileExists(missing));
  EXPECT_FALSE(host.FileExists(truncated));
}

TEST_F(HostServicesTest, FileExistsIsADirectorySearch) {
  EXPECT_TRUE(host.FileExists(source));
  EXPECT_TRUE(host.FileExists(folder / u"*.mdb"));
  EXPECT_TRUE(host.FileExists(folder.Path()));
  EXPECT_FALSE(host.FileExists(missing));
  EXPECT_FALSE(host.FileExists(folder / u"无此文件夹\\源.mdb"));
  EXPECT_FALSE(host.FileExists(Text()));
}

TEST_F(HostServicesTest, CurrentDirectoryHasNoTrailingBackslashExceptAtARoot) {
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryW(AsWide(folder.Path() + u"\\")));
  EXPECT_EQ(host.CurrentDirectory(), folder.Path());
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
  EXPECT_EQ(host.CurrentDirectory(), u"C:\\");
  SetCurrentDirectoryW(saved);
}

}  // namespace
}  // namespace korvane::windows::test
