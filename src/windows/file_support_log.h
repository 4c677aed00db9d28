#pragma once
// The support log on Windows: "TessalyKorvane.log" in the user's local
// application data, one UTF-8 line per command, kept to about a megabyte.

#include <cstdint>
#include <optional>

#include "platform/support_log.h"

namespace korvane::windows {

// A log longer than this is put aside as "TessalyKorvane.log.old", in place
// of an older one, before the next line; the next line begins a new log.
inline constexpr std::uint64_t kSupportLogLimit = 1048576;

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
