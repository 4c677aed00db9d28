// The Access stand-in started as the launcher starts it: what it holds
// while it runs and how it registers itself.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "launch/front_end_launch.h"
#include "linux/services/file_lock.h"
#include "linux/services/host_registry.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/stand_in_host_automation.h"
#include "platform/error.h"
#include "support/demo_scene.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;
using testing::ReadFile;

class AccessStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv(kHostRegistryVariable, scene.folder.MakeFolder("registry").c_str(), 1);
    ::setenv("KORVANE_HOST_LOG", log.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("KORVANE_HOST_EXIT_AFTER_MS", "30000", 1);
  }
  void TearDown() override {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    ExitStatus();
    for (const char* name :
         {kHostRegistryVariable, "KORVANE_HOST_LOG", "KORVANE_HOST_EXIT_AFTER_MS"}) {
      ::unsetenv(name);
    }
  }

  // Starts the host as the launcher does and returns the last line of its
  // log once it has opened the front-end or refused it.
  std::string Start() {
    const Text hostFolder = automation.HostProgramFolder();
    host.StartProcess(
        hostFolder + u"msaccess.exe",
        BuildHostCommandLine(hostFolder, scene.programFolder, u"系统前端.mde", u"Secured.mdw"),
        kShowMaximized);
    for (int i = 0; i < 1000; ++i) {
      const std::string text = ReadFile(log);
      for (const char* outcome : {"\nopened=", "\nrefused="}) {
        const auto at = text.find(outcome);
        if (at == std::string::npos) continue;
        pid_ = std::stoi(text.substr(6));  // "start=<pid>"
        return text.substr(at + 1, text.find('\n', at + 1) - at - 1);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "the host did not start";
    return {};
  }
  // Waits for the host to end and returns its exit status.
  int ExitStatus() {
    int status = 0;
    if (pid_ > 0) ::waitpid(std::exchange(pid_, -1), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  DemoScene scene;
  std::string log = scene.folder.File("host.log");
  PosixHostServices host{[](auto&&...) { return MessageAnswer::kOk; }};
  StandInHostAutomation automation;
  pid_t pid_ = -1;
};

TEST_F(AccessStandIn, RunsAsKorvaneHoldingItsFilesOpenUntilItDies) {
  EXPECT_EQ(Start(), "opened=Korvane");
  const auto running = automation.FindRunningHost();
  EXPECT_EQ(automation.RunningApplicationName(*running), u"Korvane");
  EXPECT_TRUE(IsLockedElsewhere(scene.files.frontEnd));
  EXPECT_TRUE(IsLockedElsewhere(scene.files.dataBackEnd));
  EXPECT_FALSE(IsLockedElsewhere(scene.files.workgroupFile));
  const Text backup = scene.folder.WindowsFile("app/backup.mdb");
  EXPECT_THROW(host.CopyFile(scene.dataBackEnd, backup), Error);

  // A host that dies leaves its files and its registration free.
  ::kill(pid_, SIGKILL);
  ExitStatus();
  EXPECT_THROW(automation.FindRunningHost(), Error);
  EXPECT_FALSE(IsLockedElsewhere(scene.files.dataBackEnd));
  EXPECT_NO_THROW(host.CopyFile(scene.dataBackEnd, backup));
}

TEST_F(AccessStandIn, QuitsByItselfAndUnregisters) {
  ::setenv("KORVANE_HOST_EXIT_AFTER_MS", "200", 1);
  EXPECT_EQ(Start(), "opened=Korvane");
  EXPECT_EQ(ExitStatus(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(scene.folder.File("registry")));
  EXPECT_FALSE(IsLockedElsewhere(scene.files.frontEnd));
}

}  // namespace
}  // namespace korvane::linux_edition
