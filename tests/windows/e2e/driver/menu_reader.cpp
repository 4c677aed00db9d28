#include "menu_reader.h"

#include "files.h"
#include "menu_dump.h"
#include "paths.h"
#include "wait.h"

namespace e2e {

std::vector<MenuEntry> ReadMenuBar(HWND window) {
  DWORD processId = 0;
  DWORD threadId = GetWindowThreadProcessId(window, &processId);
  std::wstring dump = menu_dump::DumpPath(processId);
  DeleteFileW(dump.c_str());

  HMODULE hookDll = LoadLibraryW(Join(HelperFolder(), L"menu_hook.dll").c_str());
  if (!hookDll) return {};
  auto hookProc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(hookDll, menu_dump::kHookProcName)));
  HHOOK hook = hookProc ? SetWindowsHookExW(WH_GETMESSAGE, hookProc, hookDll, threadId) : nullptr;
  std::vector<MenuEntry> entries;
  if (hook) {
    // Asks again now and then: the first request may arrive before the hook
    // has been set up in the target.
    PollFor(kStepTimeoutMs, [&] {
      PostMessageW(window, WM_NULL, menu_dump::kRequestW, menu_dump::kRequestL);
      Sleep(200);
      return Exists(dump);
    });
    UnhookWindowsHookEx(hook);
    for (const auto& line : ReadUtf16Lines(dump)) {
      size_t first = line.find(L'\t');
      size_t second = line.find(L'\t', first + 1);
      if (first == std::wstring::npos || second == std::wstring::npos) continue;
      entries.push_back({static_cast<unsigned>(std::stoul(line.substr(0, first))),
                         line.substr(first + 1, second - first - 1) == L"1",
                         line.substr(second + 1)});
    }
    DeleteFileW(dump.c_str());
  }
  FreeLibrary(hookDll);
  return entries;
}

}  // namespace e2e
