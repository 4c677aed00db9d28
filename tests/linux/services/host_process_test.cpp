// Starting another program as the launcher starts Access: the Windows
// command line split into arguments, the window style, a session of its own.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "linux/services/posix_host_services.h"
#include "platform/error.h"
#include "support/scratch_folder.h"

namespace korvane::linux_edition {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;

// A program that writes its arguments, one a line, then its window style
// and whether it leads a session of its own, and renames the result into
// place when done.
class StartedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ::chmod(folder
                .Make("show args.sh",
                      "#!/bin/sh\n"
                      "out=\"$0.args\"\n"
                      "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\n"
                      "printf 'style=%s\\n' \"$KORVANE_SHOW_WINDOW\" >> \"$out.tmp\"\n"
                      "set -- $(sed 's/.*) //' /proc/$$/stat)\n"
                      "[ \"$4\" = $$ ] || echo not a session leader >> \"$out.tmp\"\n"
                      "mv \"$out.tmp\" \"$out\"\n")
                .c_str(),
            0755);
    ::setenv(kShowWindowVariable, "9", 1);  // an inherited value gives way
  }
  void TearDown() override { ::unsetenv(kShowWindowVariable); }

  // What the started program wrote, once it has written it.
  std::string Output() {
    for (int i = 0; i < 500 && !std::filesystem::exists(folder.File("show args.sh.args")); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ReadFile(folder.File("show args.sh.args"));
  }

  ScratchFolder folder;
  PosixHostServices host{[](auto&&...) { return MessageAnswer::kOk; }};
};

struct StartCase {
  const char16_t* arguments;  // after the program's name
  int windowStyle;
  const char* written;
};

class StartProcessArguments : public StartedProgram,
                              public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartProcessArguments, AreSplitByTheWindowsRules) {
  const Text program = folder.WindowsFile("show args.sh");
  host.StartProcess(program, u"\"" + program + u"\" " + GetParam().arguments,
                    GetParam().windowStyle);
  EXPECT_EQ(Output(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartProcessArguments,
    ::testing::Values(
        StartCase{u"", 1, "style=1\n"},
        // No shell reads the line: its characters reach the program as they are.
        StartCase{u"$HOME `id` a;b 'c d' \\\"e\\\" C:\\x\\ \"x\"\"y\"", 3,
                  "$HOME\n`id`\na;b\n'c\nd'\n\"e\"\nC:\\x\\\nx\"y\nstyle=3\n"},
        // Backslashes are plain except before a quote: \\" is \ and a quote, \\\" is \".
        StartCase{u"a\tb  \\\\\"c d\" \\\\\\\"e \"\" \"open", 3,
                  "a\nb\n\\c d\n\\\"e\n\nopen\nstyle=3\n"}));

TEST_F(StartedProgram, UnquotedProgramPathWithABlankIsNotSplit) {
  const Text program = folder.WindowsFile("show args.sh");
  host.StartProcess(program, program + u" \"Z:\\App\\系统前端.mde\" /user \"qorvu\"", 3);
  EXPECT_EQ(Output(), "Z:\\App\\系统前端.mde\n/user\nqorvu\nstyle=3\n");
}

TEST_F(StartedProgram, MissingOrNotExecutableProgramRaises) {
  EXPECT_THROW(host.StartProcess(folder.WindowsFile("none.exe"), u"none.exe", 3), Error);
  ::chmod(folder.File("show args.sh").c_str(), 0644);
  EXPECT_THROW(host.StartProcess(folder.WindowsFile("show args.sh"), u"x", 3), Error);
  EXPECT_THROW(host.StartProcess(folder.WindowsFile(""), u"x", 3), Error);  // a folder
}

}  // namespace
}  // namespace korvane::linux_edition
