#pragma once
// The record for support: the failing commands end without a message, so
// each command leaves one line in a log file of the user's own, which a
// support person can ask for.

#include "platform/text.h"

namespace korvane {

class SupportLog {
 public:
  virtual ~SupportLog() = default;
  // Appends `line`, the time before it, as one line of the log. Never
  // raises: a log that cannot be written changes nothing the launcher does
  // or shows.
  virtual void Append(const Text& line) noexcept = 0;
};

}  // namespace korvane
