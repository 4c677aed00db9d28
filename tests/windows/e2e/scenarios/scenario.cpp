#include "scenario.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "e2e_paths.h"
#include "main_window_ids.h"
#include "program.h"
#include "stand_in_record.h"
#include "ui.h"
#include "wait.h"

namespace e2e {
namespace {

namespace ids = korvane::windows;

using stand_in::kHostFolder;

std::wstring FromUnix(const char* path) {
  std::wstring dos = L"Z:" + Wide(path);
  std::replace(dos.begin(), dos.end(), L'/', L'\\');
  return dos;
}

// The launcher's support log in the prefix's local application data.
std::wstring SupportLog() {
  PWSTR folder = nullptr;
  SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
  const std::wstring log =
      std::wstring(folder ? folder : L"") + L"\\TessalyKorvane\\TessalyKorvane.log";
  CoTaskMemFree(folder);
  return log;
}

// The display's resolution for programs started from here on, as the
// control panel sets it; 96 DPI again when the scenario ends, however it
// ends (prepare-prefix puts it back after an interrupted run).
struct DisplayResolution {
  explicit DisplayResolution(DWORD dpi) { Set(dpi); }
  ~DisplayResolution() { Set(96); }
  static void Set(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE,
                    L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts",
                    L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
};

const char kMenuBar[] =
    "1001\t数据操作前端\n1002\t压缩后端数据\n1003\t备份后端数据\n1004\t调阅档案数据\n"
    "1005\t帮助\n1006\t关闭窗口\n";

// The support log holds no password, and, where the scenario names them,
// its lines, each after its time ("2026-03-01 14:05:09\t").
void CheckSupportLog(const Scenario& scenario) {
  const std::string log = ReadBytes(SupportLog()).value_or("");
  EXPECT_EQ(log.find("pelmo"), std::string::npos) << log;
  EXPECT_EQ(log.find("tandr4820517"), std::string::npos) << log;
  if (scenario.log.empty()) return;
  std::vector<std::wstring> lines;
  for (const auto& line : Split(Wide(log), L'\n')) lines.push_back(line.substr(20));
  ASSERT_EQ(lines.size(), scenario.log.size()) << log;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(Utf8(lines[i].substr(0, scenario.log[i].size())), Utf8(scenario.log[i])) << log;
  }
}

}  // namespace

void Run(const Scenario& scenario) {
  for (const wchar_t* folder : {L"D:\\", L"K:\\", kHostFolder}) MakeEmptyFolder(folder);
  for (const std::wstring& log : {SupportLog(), SupportLog() + L".old"}) DeleteFileW(log.c_str());
  std::optional<DisplayResolution> resolution;
  if (scenario.dpi != 96) resolution.emplace(scenario.dpi);
  const std::wstring helpers = FromUnix(E2E_HELPERS);
  CopyFileW((helpers + L"stand_in_server.exe").c_str(),
            (std::wstring(kHostFolder) + L"msaccess.exe").c_str(), FALSE);
  for (const auto& [path, bytes] : scenario.files) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteBytes(path, bytes == kHelpSample ? *ReadBytes(FromUnix(E2E_HELP_SAMPLE)) : bytes);
  }
  ASSERT_TRUE(CopyFileW(FromUnix(E2E_LAUNCHER).c_str(), scenario.exe, FALSE));
  StandIns standIns(helpers, scenario.access);
  Files expected = Snapshot({L"D:\\", L"K:\\"});
  const Process launcher = Process::Start(scenario.exe);
  // Held to the scenario's end, however it ends.
  std::vector<std::shared_ptr<void>> locks;
  HWND window = nullptr;
  auto mainWindow = [&] {
    if (!window) window = WaitForWindowOf(launcher.id, ids::kMainWindowClass);
    return window;
  };

  for (const Step& step : scenario.steps) {
    SCOPED_TRACE("step " + std::to_string(&step - scenario.steps.data() + 1));
    switch (step.act) {
      case Act::Command:
        ASSERT_TRUE(mainWindow()) << "the main window did not appear";
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(step.n, 0), 0);
        break;
      case Act::Box: {
        HWND box = WaitForMessageBox(launcher.id, kStepTimeoutMs);
        ASSERT_TRUE(box) << "no message box; expected " << Utf8(step.b);
        EXPECT_EQ(Utf8(WindowText(box)), Utf8(step.a));
        EXPECT_EQ(Utf8(ControlText(box, 0xFFFF)), Utf8(step.b));
        if (!window) {
          EXPECT_FALSE(FindWindowOf(launcher.id, ids::kMainWindowClass))
              << "the window showed before the start-up checks ended";
        }
        PressButton(box, IDOK);
        break;
      }
      case Act::Quiet:
        if (HWND box = WaitForMessageBox(launcher.id, kQuietMs))
          ADD_FAILURE() << "unexpected message box " << Utf8(ControlText(box, 0xFFFF));
        break;
      case Act::Choose: {
        HWND dialog = WaitForWindowOf(launcher.id, L"#32770", L"调入后端数据库文件");
        ASSERT_TRUE(dialog) << "no open-file dialog";
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
        // The file type box (cmb1) shows the one filter's description.
        EXPECT_EQ(Utf8(ControlText(dialog, 0x470)), "数据库后端文件");
        TypeFileName(dialog, step.a);
        PressButton(dialog, IDOK);
        break;
      }
      case Act::Viewer: {
        HWND viewer = WaitForWindowOf(launcher.id, L"HH Parent");
        ASSERT_TRUE(viewer) << "no help viewer";
        EXPECT_EQ(GetWindow(viewer, GW_OWNER), window);
        break;
      }
      case Act::Window: {
        ASSERT_TRUE(mainWindow()) << "the main window did not appear";
        const int dpi = step.n ? step.n : scenario.dpi;
        const std::string described =
            ReadWindow(window, FromUnix(E2E_HELPERS "menu_hook.dll"), step.n);
        EXPECT_EQ(Utf8(WindowText(window)), "TessalyKorvane");
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, MulDiv(592, dpi, 96));
        EXPECT_EQ(client.bottom, MulDiv(407, dpi, 96));
        // Told of a new resolution, it takes the frame suggested for it. Its
        // icons are those Windows asks for at its resolution; its banner
        // covers the client area, scaled smoothly where it is scaled.
        EXPECT_EQ(described, kMenuBar + std::string(step.n ? "moved\t16\t16\n" : "") + "icons\t" +
                                 std::to_string(MulDiv(32, dpi, 96)) + "\t" +
                                 std::to_string(MulDiv(16, dpi, 96)) + "\nuncovered\t0\nsmooth\t" +
                                 (dpi == 96 ? "no" : "yes") + "\n");
        break;
      }
      case Act::Delete:
        DeleteFileW(step.a.c_str());
        expected.erase(step.a);
        break;
      case Act::Lock:
      case Act::LockAlone: {
        const OpenFile held = step.act == Act::Lock
                                  ? OpenAsJet(step.a)
                                  : OpenExisting(step.a, GENERIC_READ | GENERIC_WRITE, 0);
        ASSERT_TRUE(held.handle) << "cannot open " << Utf8(step.a) << ": error " << held.error;
        locks.push_back(held.handle);
        break;
      }
      case Act::SecondCopy:
        ASSERT_TRUE(mainWindow()) << "the first copy's window did not appear";
        // A box would hold the second copy until it is answered.
        EXPECT_TRUE(Process::Start(scenario.exe).WaitForExit(kStepTimeoutMs))
            << "the second copy did not end";
        break;
      case Act::Ends:
        EXPECT_TRUE(launcher.WaitForExit(kStepTimeoutMs)) << "the launcher did not end";
        break;
      case Act::Close:
      case Act::CloseBox:
        ASSERT_TRUE(mainWindow()) << "the main window did not appear";
        ASSERT_FALSE(launcher.WaitForExit(0)) << "the launcher ended before it was closed";
        if (step.act == Act::Close) PostMessageW(window, WM_COMMAND, ids::kIdClose, 0);
        if (step.act == Act::CloseBox) PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(launcher.WaitForExit(kStepTimeoutMs)) << "the launcher did not end";
        break;
    }
  }
  locks.clear();

  Apply(expected, scenario.changes);
  EXPECT_EQ(Snapshot({L"D:\\", L"K:\\"}), expected);
  CheckSupportLog(scenario);

  // msaccess.exe started once, maximised, on the worked example's command line.
  const std::wstring record = std::wstring(kHostFolder) + stand_in::kStartRecord;
  std::wstring started;
  if (scenario.started) {
    started = L"C:\\Office\\msaccess.exe \"D:\\App\\" + std::wstring(scenario.started) +
              L"\" /wrkgrp: \"D:\\App\\Secured.mdw\" /user \"qorvu\" /pwd\"pelmo\"\t" +
              std::to_wstring(STARTF_USESHOWWINDOW) + L"\t" + std::to_wstring(SW_SHOWMAXIMIZED) +
              L"\n";
    PollFor(kStepTimeoutMs, [&] { return ReadBytes(record).has_value(); });
    Sleep(500);  // a second start would have been recorded by now
  }
  EXPECT_EQ(ReadBytes(record).value_or(""), Utf8(started));

  // The calls come in order, some (releases) after the launcher has ended.
  Calls calls;
  auto firstMissing = [&] {
    calls = ReadLines(helpers + stand_in::kCallLog);
    auto next = scenario.calls.begin();
    for (const auto& call : calls)
      if (next != scenario.calls.end() && call == *next) ++next;
    return next;
  };
  if (!PollFor(kStepTimeoutMs, [&] { return firstMissing() == scenario.calls.end(); })) {
    std::string log;
    for (const auto& call : calls) log += Utf8(call) + "\n";
    ADD_FAILURE() << "no call " << Utf8(*firstMissing()) << " in its place among\n" << log;
  }
}

}  // namespace e2e
