#pragma once
// Polling with a deadline: every wait of the end-to-end tests is bounded, so a
// launcher that hangs makes a scenario fail instead of stalling the run.

#include <windows.h>

namespace e2e {

inline constexpr DWORD kPollMs = 50;
// How long a step may take under Wine before the scenario gives up on it.
inline constexpr DWORD kStepTimeoutMs = 20000;
// How long a scenario watches for something that must not happen.
inline constexpr DWORD kQuietMs = 1500;

// Calls `probe` until it yields a value or `timeoutMs` has passed.
template <typename Probe>
auto PollFor(DWORD timeoutMs, Probe probe) -> decltype(probe()) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (auto found = probe()) return found;
    if (GetTickCount64() >= deadline) return {};
    Sleep(kPollMs);
  }
}

}  // namespace e2e
