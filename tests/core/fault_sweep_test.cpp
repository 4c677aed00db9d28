// Every call of every routine made to fail in turn, and the outcome its
// failure mode names.

#include <gtest/gtest.h>

#include "fakes/expected_messages.h"
#include "fault_sweep.h"
#include "help/show_help_file.h"
#include "launch/archive_query.h"
#include "launch/front_end_launch.h"
#include "maintenance/maintain_back_end.h"
#include "shell/start_up_checks.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

using Strings = std::vector<std::string>;

struct Scene {
  const char* name;
  WorldStep setUp;
};

// Start-up: handle and leave, with a report; the window is shown.
class StartUpSweep : public ::testing::TestWithParam<Scene> {};

TEST_P(StartUpSweep, ReportsTheFirstFailureAndShowsTheWindow) {
  SweepEachCall(
      GetParam().setUp, [](World& w) { RunStartUpChecks(w.launcher); },
      [](const SweepRun& run) {
        EXPECT_EQ(run.outcome, Outcome::kReturned);
        EXPECT_EQ(run.After(), Strings{"ShowMessage"});
        ASSERT_FALSE(run.w.host.messages.empty());
        EXPECT_EQ(run.w.host.messages.back(), run.Report(u"出错LOAD"));
      });
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, StartUpSweep,
    ::testing::Values(Scene{"MainFrontEndMissing",
                            [](World& w) { w.host.RemoveFile(kMainFrontEndPath); }},
                      Scene{"DriveRoot", [](World& w) { w.host.programFolder = u"C:\\"; }}),
    RowName());

// A close that fails after the connection text was read gives that text.
bool KeepsConnectionText(const SweepRun& run) {
  return run.Operation() == "Connection.Close";
}

// The launch: phase 1 goes on past a failure, phase 2 gives up silently.
class LaunchSweep : public ::testing::TestWithParam<Scene> {};

TEST_P(LaunchSweep, ContinuesInTheChecksAndGivesUpInTheLaunch) {
  SweepEachCall(
      [](World& w) {
        GetParam().setUp(w);
        w.host.answers = {MessageAnswer::kYes};
      },
      [](World& w) { LaunchFrontEnd(w.launcher, true); },
      [](const SweepRun& run) {
        EXPECT_EQ(run.outcome, Outcome::kReturned);
        const auto& host = run.w.host;
        if (run.Operation() == "RunningApplicationName") {
          EXPECT_EQ(host.messages, std::vector<MessageBox>{kKorvaneRunning});
          EXPECT_TRUE(host.started.empty());
        } else if (run.index >= run.BaselineIndexOf("HostProgramFolder")) {
          EXPECT_EQ(run.After(), Strings{});
          EXPECT_TRUE(host.started.empty());
        } else if (run.Operation() == "ShowMessage") {  // the question
          EXPECT_TRUE(host.started.empty());
          EXPECT_EQ(run.w.log.Count("HostProgramFolder"), 0u);
        } else {
          EXPECT_EQ(host.started.size(), 1u);
        }
      });
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, LaunchSweep,
    ::testing::Values(Scene{"OtherHostRunning",
                            [](World& w) { w.automation.runningName = u"Microsoft Access"; }},
                      Scene{"ProbeFailsAnswerYes", [](World& w) { w.log.Fail("Recordset.Open"); }}),
    RowName());

TEST(ArchiveSweep, FailureBeforeTheLaunchLeavesTheWindowOpen) {
  constexpr char16_t kArchive[] = u"D:\\档案\\arch.mdb";
  SweepEachCall(
      [&](World& w) {
        w.host.PutFile(kQueryBackEndPath, "old");
        w.host.PutFile(kArchive, "archive");
        w.dialog.choice = DialogChoice{kArchive, u"D:\\档案"};
        w.host.answers = {MessageAnswer::kYes};
      },
      [](World& w) { OpenArchiveQuery(w.launcher); },
      [&](const SweepRun& run) {
        const auto queryBackEnd = run.w.host.Content(kQueryBackEndPath);
        if (run.index < run.BaselineIndexOf("Window.SetVisible")) {
          EXPECT_EQ(run.outcome, Outcome::kReturned);
          EXPECT_EQ(run.w.log.Count("StartProcess"), 0u);
          EXPECT_TRUE(run.w.host.messages.empty());
          const bool deleted = run.index > run.BaselineIndexOf("DeleteFile");
          EXPECT_EQ(queryBackEnd, deleted ? std::nullopt : std::optional<std::string>("old"));
        } else {
          EXPECT_EQ(run.outcome, Outcome::kProgramEnded);
          EXPECT_EQ(queryBackEnd, "archive");
        }
        EXPECT_EQ(run.w.host.Content(kArchive), "archive");
      });
}

// Maintenance: silent on failure, except that a back-end that cannot be
// found is one that is not there.
struct MaintenanceScene {
  const char* name;
  const char16_t* word;
  std::optional<MessageBox> notice;  // none even when nothing fails
  WorldStep setUp;
};

class MaintenanceSweep : public ::testing::TestWithParam<MaintenanceScene> {};

TEST_P(MaintenanceSweep, EndsSilentlyAndLosesNothing) {
  const Text action = GetParam().word;
  const auto notice = GetParam().notice;
  const WorldStep setUp = GetParam().setUp;
  SweepEachCall(
      [&](World& w) {
        w.host.PutFile(kBackUpPath, "old backup");
        w.host.PutFile(kScratchPath, "stale scratch");
        if (setUp) setUp(w);
      },
      [&](World& w) { MaintainBackEnd(w.launcher, action); },
      [&](const SweepRun& run) {
        EXPECT_EQ(run.outcome, Outcome::kReturned);
        const bool discovery = run.index >= run.BaselineIndexOf("CreateRecordset") &&
                               run.index <= run.BaselineIndexOf("Recordset.Close");
        std::vector<MessageBox> expected;
        if (KeepsConnectionText(run)) {
          if (notice) expected = {*notice};
        } else if (discovery) {
          expected = {kNotFound};
        }
        EXPECT_EQ(run.w.host.messages, expected);
        // A compacted copy that cannot be checked is not swapped in.
        if (run.Operation() == "CreateCatalog" || run.Operation().starts_with("Catalog.")) {
          EXPECT_EQ(run.w.host.Content(kBackEndPath), kBackEndData);
          EXPECT_EQ(run.w.host.Content(kScratchPath), FakeEngine::Compacted(kBackEndData));
        }
        if (run.index == 0) {
          EXPECT_EQ(run.After(), Strings{});
        }
      });
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, MaintenanceSweep,
    ::testing::Values(MaintenanceScene{"Compact", u"涮新", kCompactedNotice, {}},
                      MaintenanceScene{"BackUp", u"备份", kBackedUpNotice, {}},
                      // The check refuses the copy: no failure may swap it in either.
                      MaintenanceScene{"CompactCopyShort", u"涮新", std::nullopt,
                                       [](World& w) {
                                         w.engine.compactedTables = {{u"代码", 5}, {u"Staff", 3}};
                                       }},
                      // The back-end is data.dat; the sweep's data.mdb is another file that
                      // must survive every failure.
                      MaintenanceScene{"CompactBesideANamesake", u"涮新", std::nullopt,
                                       [](World& w) {
                                         w.host.PutFile(u"D:\\share\\data.dat", "dat back-end");
                                         w.engine.firstRow = u"D:\\share\\data.dat";
                                       }}),
    RowName());

TEST(HelpSweep, ReportsExactlyOnce) {
  SweepEachCall([](World& w) { w.host.PutFile(kHelpPath, "help"); },
                [](World& w) { ShowHelpFile(w.launcher); },
                [](const SweepRun& run) {
                  EXPECT_EQ(run.outcome, Outcome::kReturned);
                  EXPECT_EQ(run.After(), Strings{"ShowMessage"});
                  EXPECT_EQ(run.w.host.messages, std::vector<MessageBox>{run.Report(u"出错")});
                });
}

}  // namespace
}  // namespace korvane::testing
