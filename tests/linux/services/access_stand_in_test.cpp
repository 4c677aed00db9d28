// The Access stand-in started as the launcher starts it: what it is given,
// what it holds while it runs and how it registers itself.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "database/back_end_link.h"
#include "database/database_engine.h"
#include "launch/front_end_launch.h"
#include "linux/services/file_lock.h"
#include "linux/services/host_registry.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/stand_in_host_automation.h"
#include "platform/error.h"
#include "support/demo_scene.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;
using testing::Exists;
using testing::ReadFile;

MessageAnswer NoPresenter(const Text&, const Text&, MessageButtons) {
  return MessageAnswer::kOk;
}

class AccessStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv(kHostRegistryVariable, scene.folder.MakeFolder("registry").c_str(), 1);
    ::setenv("KORVANE_HOST_LOG", log.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("KORVANE_HOST_EXIT_AFTER_MS", "30000", 1);
  }
  void TearDown() override {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (const char* name :
         {kHostRegistryVariable, "KORVANE_HOST_LOG", "KORVANE_HOST_EXIT_AFTER_MS"}) {
      ::unsetenv(name);
    }
  }

  // Starts the host as the launcher does, with `password` on the command line.
  void Start(const Text& password = u"pelmo") {
    const Text hostFolder = automation.HostProgramFolder();
    Text commandLine =
        BuildHostCommandLine(hostFolder, scene.programFolder, u"系统前端.mde", u"Secured.mdw");
    commandLine.replace(commandLine.rfind(u"pelmo"), 5, password);
    host.StartProcess(hostFolder + u"msaccess.exe", commandLine, kShowMaximized);
  }
  // The log's lines once the host has opened the front-end or refused it.
  std::vector<std::string> Outcome() {
    for (int i = 0; i < 1000; ++i) {
      const std::string text = ReadFile(log);
      if (text.find("\nopened=") != std::string::npos ||
          text.find("\nrefused=") != std::string::npos) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        pid_ = std::stoi(lines.at(0).substr(6));
        return lines;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "the host did not start";
    return {};
  }
  // Waits for the host to end and returns its exit status.
  int ExitStatus() {
    int status = 0;
    ::waitpid(std::exchange(pid_, -1), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void KillHost() {
    ::kill(pid_, SIGKILL);
    ExitStatus();
  }

  DemoScene scene;
  std::string log = scene.folder.File("host.log");
  PosixHostServices host{NoPresenter};
  StandInHostAutomation automation;
  SqliteDatabaseEngine engine;
  pid_t pid_ = -1;
};

TEST_F(AccessStandIn, ReceivesTheLaunchersArgumentsMaximised) {
  Start();
  const auto lines = Outcome();
  const std::vector<std::string> expected = {"arg=" + ToUtf8(scene.frontEnd),
                                             "arg=/wrkgrp:",
                                             "arg=" + ToUtf8(scene.workgroupFile),
                                             "arg=/user",
                                             "arg=qorvu",
                                             "arg=/pwdpelmo",
                                             "show=3",
                                             "opened=Korvane"};
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);
}

TEST_F(AccessStandIn, RunsAsKorvaneHoldingItsFilesOpen) {
  Start();
  Outcome();
  const auto running = automation.FindRunningHost();
  EXPECT_EQ(automation.RunningApplicationName(*running), u"Korvane");
  EXPECT_TRUE(IsLockedElsewhere(scene.files.frontEnd));
  EXPECT_TRUE(IsLockedElsewhere(scene.files.dataBackEnd));
  EXPECT_FALSE(IsLockedElsewhere(scene.files.workgroupFile));

  // Open files can be read, not compacted, copied or deleted.
  const auto probe = engine.CreateRecordset();
  EXPECT_NO_THROW(probe->Open(kBackEndProbeQuery, scene.ProbeConnectionText(), kStaticCursor,
                              kOptimisticLock, kNoOptions));
  probe->Close();
  EXPECT_THROW(engine.CreateCompactionEngine()->CompactDatabase(
                   DemoScene::CompactionText(scene.dataBackEnd),
                   DemoScene::CompactionText(scene.folder.WindowsFile("share/copy.mdb"))),
               Error);
  EXPECT_THROW(host.CopyFile(scene.dataBackEnd, scene.folder.WindowsFile("app/backup.mdb")), Error);
  EXPECT_THROW(host.DeleteFile(scene.frontEnd), Error);

  // A host that dies leaves its files and its registration free.
  KillHost();
  EXPECT_THROW(automation.FindRunningHost(), Error);
  EXPECT_FALSE(IsLockedElsewhere(scene.files.dataBackEnd));
  EXPECT_NO_THROW(host.CopyFile(scene.dataBackEnd, scene.folder.WindowsFile("app/backup.mdb")));
}

TEST_F(AccessStandIn, QuitsByItselfAndUnregisters) {
  ::setenv("KORVANE_HOST_EXIT_AFTER_MS", "200", 1);
  Start();
  Outcome();
  EXPECT_EQ(ExitStatus(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(scene.folder.File("registry")));
  EXPECT_FALSE(IsLockedElsewhere(scene.files.frontEnd));
}

TEST_F(AccessStandIn, RefusesAWrongPassword) {
  ::setenv("KORVANE_HOST_EXIT_AFTER_MS", "200", 1);
  Start(u"wrong");
  const auto lines = Outcome();
  EXPECT_EQ(lines.back(), "refused=Not a valid account name or password.");
  EXPECT_THROW(automation.FindRunningHost(), Error);
  EXPECT_FALSE(IsLockedElsewhere(scene.files.frontEnd));
  EXPECT_EQ(ExitStatus(), 1);
}

}  // namespace
}  // namespace korvane::linux_edition
