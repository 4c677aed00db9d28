#pragma once
// The launcher's three ways of meeting a raised error, written once:
//  - continue: a failing step is skipped and the routine goes on;
//  - handle and leave: the first failing step ends the routine, and a handler
//    reports it, sets a fallback or does nothing;
//  - none: the caller catches nothing, because what it calls never raises.
// Only korvane::Error is caught: ending the program is not an error, and
// programming faults must not be mistaken for failing steps.

#include <optional>
#include <type_traits>
#include <utility>

#include "platform/error.h"

namespace korvane {

// Continue mode for one step. Returns the step's result, or nothing when it
// raised (for a step without result: true when it ran to its end).
template <class Step>
auto ContinueOnError(Step&& step) {
  using Result = std::invoke_result_t<Step>;
  if constexpr (std::is_void_v<Result>) {
    try {
      std::forward<Step>(step)();
      return true;
    } catch (const Error&) {
      return false;
    }
  } else {
    try {
      return std::optional<Result>(std::forward<Step>(step)());
    } catch (const Error&) {
      return std::optional<Result>();
    }
  }
}

// Handle-and-leave mode: runs `body`; the first raised error ends it and is
// passed to `handler`.
template <class Body, class Handler>
void LeaveOnError(Body&& body, Handler&& handler) {
  try {
    std::forward<Body>(body)();
  } catch (const Error& error) {
    std::forward<Handler>(handler)(error);
  }
}

// Handle-and-leave mode whose handler does nothing: the routine ends
// silently. The error that ended it, if any, is handed back for the record.
template <class Body>
std::optional<Error> LeaveSilentlyOnError(Body&& body) {
  std::optional<Error> ended;
  LeaveOnError(std::forward<Body>(body), [&](const Error& error) { ended = error; });
  return ended;
}

}  // namespace korvane
