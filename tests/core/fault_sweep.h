#pragma once
// The fault-injection sweep: a routine is run once with nothing failing, then
// once more for every call it made, with exactly that call failing. Each
// run is checked for what holds whatever fails (no korvane::Error escapes,
// the back-end and the previous backup are never lost, no temporary backup
// stays behind, every engine object and host handle is released) and then
// by the routine's own check.

#include <functional>
#include <vector>

#include "fakes/world.h"

namespace korvane::testing {

struct SweepRun {
  World& w;
  std::size_t index;                  // the failing call
  const std::vector<Call>& baseline;  // the calls of the run without failure
  Outcome outcome;

  const std::string& Operation() const { return baseline[index].operation; }
  // The calls made after the failing one.
  std::vector<std::string> After() const;
  // Position of the first call of the operation in the run without failure.
  std::size_t BaselineIndexOf(const std::string& operation) const;
  // The report of the failing call's injected error under `title`.
  MessageBox Report(const char16_t* title) const;
};

void SweepEachCall(const WorldStep& scene, const WorldStep& routine,
                   const std::function<void(const SweepRun&)>& check);

}  // namespace korvane::testing
