#include "launch/front_end_launch.h"

#include "common/command_record.h"
#include "common/fixed_credentials.h"
#include "common/launcher.h"
#include "database/back_end_link.h"
#include "platform/database_engine.h"
#include "platform/host_automation.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"
#include "platform/message_titles.h"
#include "platform/window_surface.h"

namespace korvane {
namespace {

constexpr char16_t kKorvaneRunningMessage[] = u"Korvane正在运行";
constexpr char16_t kInitialiseQuestion[] = u"是否进行数据后端初始化工作";
constexpr char16_t kLinkFailedTitle[] = u"系统后端数据联接失败";

Text Quoted(const Text& text) {
  return u'"' + text + u'"';
}

// True when a running host has Korvane open (or will not say what it has
// open); the user is then told so. The instance, if any, is handed back to
// be held until the launch returns.
bool RefuseRunningKorvane(Launcher& launcher, std::unique_ptr<RunningHost>& instance) {
  auto found = ContinueOnError([&] { return launcher.hostAutomation.FindRunningHost(); });
  if (!found || !*found) return false;
  instance = std::move(*found);
  const auto name =
      ContinueOnError([&] { return launcher.hostAutomation.RunningApplicationName(*instance); });
  if (name && *name != kKorvaneApplicationName) return false;
  ContinueOnError([&] {
    launcher.host.ShowMessage(kKorvaneRunningMessage, Text(kStatusTitle), MessageButtons::kOk);
  });
  return true;
}

// Probes the main front-end's link to the data back-end. When the probe
// fails, the user decides whether the launch goes ahead.
bool ProbeAllowsLaunch(Launcher& launcher) {
  std::unique_ptr<Recordset> probe;
  const bool probed = ContinueOnError([&] {
    probe = launcher.engine.CreateRecordset();
    probe->Open(kBackEndProbeQuery, BuildConnectionString(launcher), kStaticCursor, kOptimisticLock,
                kNoOptions);
  });
  bool allowed = probed;
  if (!probed) {
    const auto answer = ContinueOnError([&] {
      return launcher.host.ShowMessage(kInitialiseQuestion, Text(kLinkFailedTitle),
                                       MessageButtons::kYesNoDefaultNo);
    });
    allowed = answer == MessageAnswer::kYes;
  }
  if (probe) ContinueOnError([&] { probe->Close(); });
  return allowed;
}

}  // namespace

Text BuildHostCommandLine(const Text& hostFolder, const Text& programFolder,
                          const Text& frontEndFile, const Text& workgroupFile) {
  return hostFolder + kHostExecutable + u' ' + Quoted(programFolder + u'\\' + frontEndFile) +
         u" /wrkgrp: " + Quoted(programFolder + u'\\' + workgroupFile) + u" /user " +
         Quoted(kWorkgroupAccount) + u" /pwd" + Quoted(kWorkgroupPassword);
}

void LaunchFrontEnd(Launcher& launcher, bool useMainFrontEnd) {
  // Phase 1: each failing step is skipped.
  ContinueOnError([&] { launcher.window.SetVisible(false); });
  std::unique_ptr<RunningHost> runningHost;
  if (RefuseRunningKorvane(launcher, runningHost)) {
    launcher.Record(outcome::kKorvaneRunning);
    return;
  }
  if (!ProbeAllowsLaunch(launcher)) {
    launcher.Record(outcome::kLinkDeclined);
    return;
  }

  // Phase 2: the first failing step abandons the launch, silently.
  const auto failure = LeaveSilentlyOnError([&] {
    const Text& frontEnd = launcher.componentFiles[useMainFrontEnd ? ComponentFile::MainFrontEnd
                                                                   : ComponentFile::QueryFrontEnd];
    const Text hostFolder = launcher.hostAutomation.HostProgramFolder();
    const Text programFolder = launcher.host.ProgramFolder();
    const Text commandLine = BuildHostCommandLine(
        hostFolder, programFolder, frontEnd, launcher.componentFiles[ComponentFile::WorkgroupFile]);
    launcher.host.StartProcess(hostFolder + kHostExecutable, commandLine, kShowMaximized);
  });
  launcher.Record(failure ? outcome::kFailed : outcome::kStarted, failure);
}

}  // namespace korvane
