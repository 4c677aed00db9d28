#pragma once
// The record for support: the failing commands end without a message, so
// each command leaves one line in a log file of the user's own, which a
// support person can ask for.

#include <cstdint>

#include "platform/text.h"

namespace korvane {

// A log longer than this, in bytes, is put aside with ".old" added to its
// name (in place of an older one) before the next line, which begins a new
// log: the record stays bounded.
inline constexpr std::uint64_t kSupportLogLimit = 1048576;

class SupportLog {
 public:
  virtual ~SupportLog() = default;
  // Appends `line`, the time before it, as one line of the log. Never
  // raises: a log that cannot be written changes nothing the launcher does
  // or shows.
  virtual void Append(const Text& line) noexcept = 0;
};

}  // namespace korvane
