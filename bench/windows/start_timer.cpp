// Times how long programs take from CreateProcess to their window being
// visible. Usage:
//   start_timer RUNS EXE1 CLASS1 [EXE2 CLASS2 ...]
// The programs are started in turn, RUNS rounds, so that both meet the same
// machine load; each is closed (WM_CLOSE) and waited for before the next
// start. Prints one line per program: "<exe> median_ms min_ms max_ms".

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Program {
  std::wstring exe;
  std::wstring windowClass;
  std::vector<double> times;
};

struct Search {
  DWORD processId;
  const wchar_t* windowClass;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  if (owner == search.processId && IsWindowVisible(window) &&
      wcscmp(name, search.windowClass) == 0) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from the start to the window shown; negative on failure.
double TimeOneStart(const Program& program) {
  std::wstring commandLine = L"\"" + program.exe + L"\"";
  std::wstring folder = program.exe.substr(0, program.exe.find_last_of(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  LARGE_INTEGER frequency, started, shown;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    return -1;
  CloseHandle(info.hThread);
  Search search{info.dwProcessId, program.windowClass.c_str(), nullptr};
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (!search.found && GetTickCount64() < deadline &&
         WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  QueryPerformanceCounter(&shown);
  double elapsed = search.found ? 1000.0 * static_cast<double>(shown.QuadPart - started.QuadPart) /
                                      static_cast<double>(frequency.QuadPart)
                                : -1;
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hProcess);
  return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fwprintf(stderr, L"usage: start_timer RUNS EXE1 CLASS1 [EXE2 CLASS2 ...]\n");
    return 2;
  }
  const int runs = _wtoi(argv[1]);
  std::vector<Program> programs;
  for (int i = 2; i + 1 < argc; i += 2) programs.push_back({argv[i], argv[i + 1], {}});
  // One unmeasured round warms the file cache and Wine's shared state.
  for (auto& program : programs) TimeOneStart(program);
  for (int run = 0; run < runs; ++run)
    for (auto& program : programs) {
      double elapsed = TimeOneStart(program);
      if (elapsed < 0) {
        std::fwprintf(stderr, L"start_timer: %ls showed no window of class %ls\n",
                      program.exe.c_str(), program.windowClass.c_str());
        return 1;
      }
      program.times.push_back(elapsed);
    }
  for (auto& program : programs) {
    std::sort(program.times.begin(), program.times.end());
    const auto& t = program.times;
    double median = t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
    std::printf("%ls %.1f %.1f %.1f\n", program.exe.c_str(), median, t.front(), t.back());
  }
  return 0;
}
