#pragma once
// The launcher's raised error: every failing platform or database operation
// throws one, carrying a number, a description and a source text.

#include <cstdint>
#include <exception>
#include <utility>

#include "platform/text.h"

namespace korvane {

class Error : public std::exception {
 public:
  Error(std::int32_t number, Text description, Text source)
      : number_(number), description_(std::move(description)), source_(std::move(source)) {}

  std::int32_t Number() const noexcept { return number_; }
  const Text& Description() const noexcept { return description_; }
  const Text& Source() const noexcept { return source_; }
  const char* what() const noexcept override { return "korvane::Error"; }

 private:
  std::int32_t number_;
  Text description_;
  Text source_;
};

// Numbers of the errors that the core raises itself, in the numbering the
// launcher's users know from its message boxes.
namespace error_number {
inline constexpr std::int32_t kInvalidArgument = 5;      // a text too short to cut
inline constexpr std::int32_t kSubscriptOutOfRange = 9;  // a table index outside its slots
inline constexpr std::int32_t kDialogCancelled = 32755;  // the open-file dialog was cancelled
}  // namespace error_number

// The core's own source text for errors it raises.
inline constexpr char16_t kCoreErrorSource[] = u"TessalyKorvane";

// A text too short for the part the launcher cuts from it.
inline Error InvalidArgumentError() {
  return Error(error_number::kInvalidArgument, u"无效的过程调用或参数", kCoreErrorSource);
}

}  // namespace korvane
