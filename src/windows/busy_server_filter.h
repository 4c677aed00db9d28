#pragma once
// The COM message filter of the window's thread. An out-of-process server
// turns calls away while it is starting or busy (Access does, with
// SERVERCALL_RETRYLATER); the filter has COM try such a call again for a
// while before it fails with RPC_E_CALL_REJECTED.

#include "windows/win32.h"

namespace korvane::windows {

// How long a call turned away is tried again, and the pause between tries.
inline constexpr DWORD kRetryWindowMs = 30000;
inline constexpr DWORD kRetryPauseMs = 250;
// IMessageFilter::RetryRejectedCall's answer for "give up".
inline constexpr DWORD kCancelCall = 0xFFFFFFFF;

// RetryRejectedCall's answer for a call turned away `elapsedMs` after it was
// first made: the pause before the next try, or kCancelCall. A server that
// refuses the call outright (SERVERCALL_REJECTED) is not asked again.
DWORD RetryPause(DWORD rejectType, DWORD elapsedMs);

// The one filter; it lives as long as the program, so registering it needs
// no reference counting.
IMessageFilter& BusyServerFilter();

}  // namespace korvane::windows
