// Works a window of another program from the command line, for scripts that
// drive the launcher under Wine (the screenshot):
//   window_tool rect CLASS [SECONDS]   waits until a window of the class is
//                                      visible, prints "x y width height"
//   window_tool close CLASS            asks that window to close
// Exits with 1 when no such window shows in time.

#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "wait.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: window_tool rect|close CLASS [SECONDS]\n");
    return 2;
  }
  const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) * 1000 : 30000;
  HWND window = e2e::PollFor(timeoutMs, [&] {
    HWND found = FindWindowW(argv[2], nullptr);
    return found && IsWindowVisible(found) ? found : nullptr;
  });
  if (!window) {
    std::fwprintf(stderr, L"window_tool: no visible window of class %ls\n", argv[2]);
    return 1;
  }
  if (std::wcscmp(argv[1], L"rect") == 0) {
    RECT frame{};
    GetWindowRect(window, &frame);
    std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top);
    return 0;
  }
  if (std::wcscmp(argv[1], L"close") == 0) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}
