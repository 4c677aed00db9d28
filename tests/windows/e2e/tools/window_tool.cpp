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
  if (argc < 3) return 2;
  HWND window = e2e::PollFor(argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) * 1000 : 30000, [&] {
    HWND found = FindWindowW(argv[2], nullptr);
    return found && IsWindowVisible(found) ? found : nullptr;
  });
  if (!window) return 1;
  RECT frame{};
  GetWindowRect(window, &frame);
  if (std::wcscmp(argv[1], L"rect") == 0)
    std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top);
  if (std::wcscmp(argv[1], L"close") == 0) PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}
