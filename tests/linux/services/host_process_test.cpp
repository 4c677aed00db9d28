// The host services that concern the process itself: its folder, a second
// running copy, starting another program, message boxes and the end.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "linux/services/posix_host_services.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "support/scratch_folder.h"

namespace korvane::linux_edition {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::ScratchFolder;

MessageAnswer NoPresenter(const Text&, const Text&, MessageButtons) {
  return MessageAnswer::kOk;
}

std::string OwnFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

TEST(HostProcess, ProgramFolderIsTheExecutablesFolderOrAMappedDrivesRoot) {
  PosixHostServices host(NoPresenter);
  EXPECT_EQ(host.ProgramFolder(), DriveMap().ToWindows(OwnFolder()));
  ::setenv(kDrivesVariable, ("K=" + OwnFolder()).c_str(), 1);
  EXPECT_EQ(host.ProgramFolder(), u"K:\\");
  ::unsetenv(kDrivesVariable);
}

// Runs `body` in a child process and returns its exit status.
template <class Body>
int InChild(Body body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostProcess, SecondCopyOfTheSameExecutableSeesTheFirst) {
  auto secondCopySeesOne = [] {
    return PosixHostServices(NoPresenter).IsPreviousInstanceRunning() ? 1 : 0;
  };
  // A first copy, alone, and a second started while it runs.
  EXPECT_EQ(InChild([&] {
              PosixHostServices first(NoPresenter);
              return first.IsPreviousInstanceRunning() ? 10 : InChild(secondCopySeesOne);
            }),
            1);
  // Once the first copy has ended, a new one is alone again.
  EXPECT_EQ(InChild(secondCopySeesOne), 0);
}
TEST(HostProcess, ShowMessageGivesTheApplicationTitleWhenNoneIsGiven) {
  std::vector<Text> titles;
  PosixHostServices host([&](const Text&, const Text& title, MessageButtons) {
    titles.push_back(title);
    return MessageAnswer::kNo;
  });
  EXPECT_EQ(host.ShowMessage(u"文本", std::nullopt, MessageButtons::kOk), MessageAnswer::kNo);
  host.ShowMessage(u"问题", Text(u"系统运行状态"), MessageButtons::kYesNoDefaultNo);
  EXPECT_EQ(titles, (std::vector<Text>{u"TessalyKorvane", u"系统运行状态"}));
}
TEST(HostProcess, EndProgramFlushesOutputAndRunsNoDestructor) {
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    struct Noisy {
      ~Noisy() { std::fputs("destructor", stdout); }
    } noisy;
    std::fputs("buffered", stdout);  // a pipe: fully buffered until flushed
    PosixHostServices(NoPresenter).EndProgram();
  }
  ::close(pipeFds[1]);
  std::string output;
  char buffer[64];
  for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, got);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(output, "buffered");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A program that writes its arguments, one a line, then its window style,
// and renames the result into place when done.
class StartedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = folder.Make("show args.sh",
                           "#!/bin/sh\n"
                           "out=\"$ARGS_OUT\"\n"
                           "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\n"
                           "printf 'style=%s\\n' \"$KORVANE_SHOW_WINDOW\" >> \"$out.tmp\"\n"
                           "mv \"$out.tmp\" \"$out\"\n");
    ::chmod(program_.c_str(), 0755);
    ::setenv("ARGS_OUT", folder.File("args").c_str(), 1);
  }
  void TearDown() override { ::unsetenv("ARGS_OUT"); }

  // What the started program wrote, once it has written it.
  std::string Output() {
    for (int i = 0; i < 500 && !Exists(folder.File("args")); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    return ReadFile(folder.File("args"));
  }

  ScratchFolder folder;
  std::string program_;
  PosixHostServices host{NoPresenter};
};

struct StartCase {
  const char16_t* arguments;  // after the program's name
  const char* written;
};

class StartProcessArguments : public StartedProgram,
                              public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartProcessArguments, AreSplitByTheWindowsRules) {
  const Text program = folder.WindowsFile("show args.sh");
  host.StartProcess(program, u"\"" + program + u"\" " + GetParam().arguments, 3);
  EXPECT_EQ(Output(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartProcessArguments,
    ::testing::Values(
        StartCase{u"", "style=3\n"},
        StartCase{u"\"Z:\\App\\系统前端.mde\" /wrkgrp: \"Z:\\App\\Secured.mdw\" /user \"qorvu\" "
                  u"/pwd\"pelmo\"",
                  "Z:\\App\\系统前端.mde\n/wrkgrp:\nZ:\\App\\Secured.mdw\n/user\nqorvu\n"
                  "/pwdpelmo\nstyle=3\n"},
        // No shell reads the line: its characters reach the program as they are.
        StartCase{u"$HOME `id` a;b 'c d' \\\"e\\\"",
                  "$HOME\n`id`\na;b\n'c\nd'\n\"e\"\nstyle=3\n"}));

TEST_F(StartedProgram, HandsOverTheWindowStyle) {
  ::setenv("KORVANE_SHOW_WINDOW", "9", 1);  // an inherited value gives way
  const Text program = folder.WindowsFile("show args.sh");
  host.StartProcess(program, u"\"" + program + u"\"", 1);
  EXPECT_EQ(Output(), "style=1\n");
  ::unsetenv("KORVANE_SHOW_WINDOW");
}

TEST_F(StartedProgram, MissingOrNotExecutableProgramRaises) {
  EXPECT_THROW(host.StartProcess(folder.WindowsFile("none.exe"), u"none.exe", 3), Error);
  ::chmod(program_.c_str(), 0644);
  EXPECT_THROW(host.StartProcess(folder.WindowsFile("show args.sh"), u"x", 3), Error);
  EXPECT_THROW(host.StartProcess(folder.WindowsFile(""), u"x", 3), Error);  // a folder
  EXPECT_THROW(host.StartProcess(u"Q:\\msaccess.exe", u"x", 3), Error);
}

}  // namespace
}  // namespace korvane::linux_edition
