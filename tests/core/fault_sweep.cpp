#include "fault_sweep.h"

#include <gtest/gtest.h>

namespace korvane::testing {

std::vector<std::string> SweepRun::After() const {
  const auto operations = w.log.Operations();
  return {operations.begin() + static_cast<std::ptrdiff_t>(index) + 1, operations.end()};
}

std::size_t SweepRun::BaselineIndexOf(const std::string& operation) const {
  for (std::size_t i = 0; i < baseline.size(); ++i) {
    if (baseline[i].operation == operation) return i;
  }
  ADD_FAILURE() << operation << " is not called";
  return baseline.size();
}

MessageBox SweepRun::Report(const char16_t* title) const {
  const Error error = InjectedError(Operation());
  return {error.Source() + u"-->" + error.Description(), Text(title), MessageButtons::kOk};
}

void SweepEachCall(const WorldStep& scene, const WorldStep& routine,
                   const std::function<void(const SweepRun&)>& check) {
  World clean;
  clean.StandardScene();
  scene(clean);
  const auto backEnd = clean.host.Content(kBackEndPath);
  const auto backUp = clean.host.Content(kBackUpPath);
  clean.Run([&] { routine(clean); });
  const std::vector<Call> baseline = clean.log.Calls();
  ASSERT_FALSE(baseline.empty());

  for (std::size_t index = 0; index < baseline.size(); ++index) {
    const std::string& operation = baseline[index].operation;
    // Ending the program and unloading the window do not fail.
    if (operation == "EndProgram" || operation == "Window.Unload") continue;
    SCOPED_TRACE("call " + std::to_string(index) + " " + operation + " fails");
    World w;
    w.StandardScene();
    scene(w);
    w.log.FailCallAt(index);
    const Outcome outcome = w.Run([&] { routine(w); });

    ASSERT_GT(w.log.Calls().size(), index);
    EXPECT_EQ(w.log.Calls()[index].operation, operation);
    EXPECT_NE(outcome, Outcome::kErrorEscaped);
    if (backEnd) {
      const auto now = w.host.Content(kBackEndPath);
      EXPECT_TRUE(now == backEnd || now == FakeEngine::Compacted(*backEnd)) << now.value_or("lost");
    }
    if (backUp) {
      const auto now = w.host.Content(kBackUpPath);
      EXPECT_TRUE(now == backUp || now == backEnd) << now.value_or("lost");
    }
    EXPECT_FALSE(w.host.Has(kBackUpTempPath));
    check({w, index, baseline, outcome});
  }
}

}  // namespace korvane::testing
