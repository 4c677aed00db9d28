// Every call of a maintenance run made to fail in turn: the routine ends
// silently, and neither the back-end nor the previous backup is lost, nor
// does a temporary backup stay behind, whichever step fails.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "maintenance/maintain_back_end.h"

namespace korvane::testing {
namespace {

class MaintenanceSweep : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(MaintenanceSweep, LosesNothingWhicheverCallFails) {
  const auto run = [](World& w) {
    w.host.PutFile(kBackUpPath, "old backup");
    w.host.PutFile(kScratchPath, "stale scratch");
    return w.Run([&] { MaintainBackEnd(w.launcher, GetParam()); });
  };
  World clean;
  run(clean);
  const std::vector<std::string> baseline = clean.log.Operations();

  for (std::size_t index = 0; index < baseline.size(); ++index) {
    SCOPED_TRACE("call " + std::to_string(index) + " " + baseline[index] + " fails");
    World w;
    w.log.FailCallAt(index);
    EXPECT_EQ(run(w), Outcome::kReturned);
    const auto backEnd = w.host.Content(kBackEndPath);
    EXPECT_TRUE(backEnd == kBackEndData || backEnd == FakeEngine::Compacted(kBackEndData))
        << backEnd.value_or("lost");
    const auto backUp = w.host.Content(kBackUpPath);
    EXPECT_TRUE(backUp == "old backup" || backUp == kBackEndData) << backUp.value_or("lost");
    EXPECT_FALSE(w.host.Has(kBackUpTempPath));
  }
}

INSTANTIATE_TEST_SUITE_P(CompactAndBackUp, MaintenanceSweep, ::testing::Values(u"涮新", u"备份"));

}  // namespace
}  // namespace korvane::testing
