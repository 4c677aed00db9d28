// 压缩 and 备份 under Wine: there is no Jet engine, so the back-end's path
// cannot be read from the front-end. With a stand-in compaction engine the
// commands report the missing back-end; without one they end silently, since
// the engine is created before the back-end is looked for.

#include "automation_stand_in.h"
#include "files.h"
#include "scenario.h"

namespace e2e {
namespace {

struct MaintenanceRow {
  const char* name;
  unsigned short command;
  bool compactionEngineRegistered;
};

std::ostream& operator<<(std::ostream& out, const MaintenanceRow& row) {
  return out << row.name;
}

const MaintenanceRow kRows[] = {
    {"CompactReportsMissingBackEnd", korvane::windows::kIdCompact, true},
    {"BackUpReportsMissingBackEnd", korvane::windows::kIdBackUp, true},
    {"CompactWithoutEngineEndsSilently", korvane::windows::kIdCompact, false},
};

class Maintenance : public ::testing::TestWithParam<MaintenanceRow> {};

TEST_P(Maintenance, KeepsTheWindowAndTheFiles) {
  const MaintenanceRow& row = GetParam();
  std::optional<AutomationStandIn> engines;
  if (row.compactionEngineRegistered) engines.emplace();
  Installation installation(ScenarioFolder());
  installation.WithAllComponents().With(kBackUpFile);
  auto launcher = StartShown(installation);
  ASSERT_TRUE(launcher);
  const DWORD id = launcher->process.id();

  // Twice: the window takes the command again after the first one.
  for (int round = 0; round < 2; ++round) {
    PostCommand(launcher->window, row.command);
    if (row.compactionEngineRegistered) {
      HWND box = nullptr;
      ASSERT_TRUE(MessageShown(id, L"出错信息", L"没有发现后端数据库文件无法进行操作", &box));
      PressButton(box, IDOK);
    }
    EXPECT_TRUE(NoMessageFor(id));
  }
  if (engines) {
    for (const auto& call : engines->Calls())
      EXPECT_NE(call.rfind(L"CompactDatabase", 0), 0u) << "compaction was attempted";
  }
  // The previous backup stays when there is nothing to back up.
  EXPECT_EQ(ReadBytes(installation.PathOf(kBackUpFile)), ContentsOf(kBackUpFile));
  EXPECT_TRUE(ClosesOnCommand(launcher->process, launcher->window));
}

INSTANTIATE_TEST_SUITE_P(Commands, Maintenance, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
