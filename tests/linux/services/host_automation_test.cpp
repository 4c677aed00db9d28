// The host automation stand-in: live registrations of running hosts, and
// the host folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "linux/services/file_lock.h"
#include "linux/services/host_registry.h"
#include "linux/services/stand_in_host_automation.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "support/scratch_folder.h"

namespace korvane::linux_edition {
namespace {

using testing::ScratchFolder;

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv(kHostRegistryVariable, folder.Path().c_str(), 1); }
  void TearDown() override { ::unsetenv(kHostRegistryVariable); }

  // A registration file as another host writes it, registered at `second`.
  std::string Registration(const std::string& file, const std::string& name, time_t second) {
    const std::string path = folder.Make(file, "pid=1\nname=" + name + "\n");
    const struct timespec times[2] = {{second, 0}, {second, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
  }

  ScratchFolder folder;
  StandInHostAutomation automation;
};

TEST_F(Registry, EarliestLiveHostIsExamined) {
  const FileLock later =
      FileLock::Acquire(Registration("20.host", "Later", 3000), LockKind::kExclusive, u"");
  const FileLock earlier =
      FileLock::Acquire(Registration("30.host", "查询系统", 2000), LockKind::kExclusive, u"");
  Registration("10.host", "Dead", 1000);  // a host that died leaves its file unlocked
  const auto host = automation.FindRunningHost();
  EXPECT_EQ(automation.RunningApplicationName(*host), u"查询系统");
}

class HostFolder : public ::testing::Test {
 protected:
  void TearDown() override {
    ::unsetenv(kHostFolderVariable);
    ::unsetenv(kDrivesVariable);
  }
  ScratchFolder folder;
  StandInHostAutomation automation;
};

TEST_F(HostFolder, IsTheBuildsOrTheConfiguredFolderHoldingTheHost) {
  const Text built = automation.HostProgramFolder();
  EXPECT_EQ(built.substr(built.size() - 6), u"\\host\\");

  ::setenv(kHostFolderVariable, (folder.Path() + "/").c_str(), 1);
  EXPECT_THROW(automation.HostProgramFolder(), Error);  // no host there
  const std::string program = folder.Make("msaccess.exe", "#!/bin/sh\n");
  EXPECT_THROW(automation.HostProgramFolder(), Error);  // not executable
  ::chmod(program.c_str(), 0755);
  EXPECT_EQ(automation.HostProgramFolder(), DriveMap().ToWindows(folder.Path()) + u"\\");
  // At a drive root the folder ends in the root's own backslash.
  ::setenv(kDrivesVariable, ("H=" + folder.Path()).c_str(), 1);
  EXPECT_EQ(automation.HostProgramFolder(), u"H:\\");
}

}  // namespace
}  // namespace korvane::linux_edition
