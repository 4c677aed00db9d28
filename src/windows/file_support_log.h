#pragma once
// The support log on Windows: "TessalyKorvane.log" in the user's local
// application data, one UTF-8 line per command, kept to about a megabyte.

#include <cstdint>
#include <optional>

#include "platform/support_log.h"

namespace korvane::windows {

class FileSupportLog final : public SupportLog {
 public:
  // The log in `folder`, created with it when the first line comes; without
  // one, in "TessalyKorvane" in the user's local application data folder,
  // looked up then so that the shell is not loaded before the window shows.
  explicit FileSupportLog(std::optional<Text> folder = std::nullopt) : folder_(std::move(folder)) {}

  // "2026-03-01 14:05:09<tab>line<CR><LF>", the local time first. What
  // cannot be written is left out.
  void Append(const Text& line) noexcept override;

 private:
  std::optional<Text> folder_;
};

}  // namespace korvane::windows
