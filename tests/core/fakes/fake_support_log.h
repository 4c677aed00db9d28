#pragma once
// The support log as lines in memory.

#include <vector>

#include "platform/support_log.h"

namespace korvane::testing {

class FakeSupportLog : public SupportLog {
 public:
  void Append(const Text& line) noexcept override { lines.push_back(line); }
  std::vector<Text> lines;
};

}  // namespace korvane::testing
