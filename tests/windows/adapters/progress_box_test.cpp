// The progress box over a window whose thread the work holds, as the
// launcher's is during a backup or a compaction: the box appears only for
// work that lasts, with its title, line, bar and buttons, owned by the
// window; the user's Cancel reaches the work only where the work can stop.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text.h"
#include "row_name.h"
#include "windows/progress_box.h"
#include "windows/win32.h"

#include <commctrl.h>

namespace korvane::windows::test {
namespace {

struct BoxCase {
  const char* name;
  bool cancellable;
  DWORD lastsMs;              // before the user acts, if the box shows
  std::uint64_t done, total;  // told before the box appears
  bool late;                  // or only once it shows
  bool shows;
  bool marquee;  // the bar moves without measure
  UINT userAct;  // WM_CLOSE (Esc, close box), IDCANCEL (Cancel pressed) or 0
  bool stops;    // Advance answers false afterwards
};

// A visible box of this process with the status title, or none.
HWND FindBox() {
  for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", L"系统运行状态"));) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
  }
  return nullptr;
}

// The texts of the box's visible controls, one per line.
std::wstring VisibleTexts(HWND box) {
  std::wstring texts;
  for (HWND control = GetWindow(box, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    wchar_t text[256] = L"";
    if (IsWindowVisible(control) && GetWindowTextW(control, text, 256) > 0) {
      texts += text;
      texts += L'\n';
    }
  }
  return texts;
}

class ProgressBoxTest : public testing::TestWithParam<BoxCase> {
 public:
  ProgressBoxTest() {
    owner = CreateWindowExW(0, L"STATIC", L"TessalyKorvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            300, 200, nullptr, nullptr, nullptr, nullptr);
  }
  ~ProgressBoxTest() override { DestroyWindow(owner); }

  HWND owner;
};

TEST_P(ProgressBoxTest, ShowsLongWorkAndPassesOnTheUsersCancel) {
  const BoxCase& row = GetParam();
  HWND box = nullptr;
  {
    ProgressBox progress(owner, u"正在备份后端数据…", row.cancellable);
    EXPECT_TRUE(progress.Advance(row.late ? 0 : row.done, row.late ? 0 : row.total));
    // The window's thread is held, as by the work, while the box is due.
    Sleep(row.lastsMs);
    box = FindBox();
    if (box && row.late) {
      EXPECT_TRUE(progress.Advance(row.done, row.total));
      Sleep(500);  // the box's thread looks at the work ten times a second
      box = FindBox();
    }
    ASSERT_EQ(box != nullptr, row.shows);
    if (box) {
      EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
      EXPECT_NE(VisibleTexts(box).find(L"正在备份后端数据…\n"), std::wstring::npos);
      EXPECT_EQ(IsWindowVisible(GetDlgItem(box, IDCANCEL)) != FALSE, row.cancellable);
      HWND bar = FindWindowExW(box, nullptr, PROGRESS_CLASSW, nullptr);
      EXPECT_EQ((GetWindowLongW(bar, GWL_STYLE) & PBS_MARQUEE) != 0, row.marquee);
      if (!row.marquee) {
        const auto range = SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
        EXPECT_EQ(MulDiv(static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)), 100,
                         static_cast<int>(range)),
                  MulDiv(static_cast<int>(row.done), 100, static_cast<int>(row.total)));
      }
      if (row.userAct == WM_CLOSE) PostMessageW(box, WM_CLOSE, 0, 0);
      if (row.userAct == IDCANCEL) PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
      Sleep(500);
    }
    EXPECT_EQ(progress.Advance(row.done, row.total), !row.stops);
  }
  if (box) {
    EXPECT_FALSE(IsWindow(box) && IsWindowVisible(box)) << "the box stays after the work";
  }
}

constexpr DWORD kLasting = kProgressBoxDelayMs + 800;

INSTANTIATE_TEST_SUITE_P(
    Boxes, ProgressBoxTest,
    testing::Values(BoxCase{"ShortWorkShowsNoBox", true, kProgressBoxDelayMs / 2, 0, 0, false,
                            false, false, 0, false},
                    BoxCase{"WorkWithoutATotalMovesTheBarWithoutMeasureAndCannotBeCancelled", false,
                            kLasting, 0, 0, false, true, true, WM_CLOSE, false},
                    BoxCase{"TheUserCancelsMeasuredWork", true, kLasting, 3, 4, false, true, false,
                            IDCANCEL, true},
                    BoxCase{"ATotalToldLateMeasuresTheBar", true, kLasting, 1, 4, true, true, false,
                            0, false}),
    RowName());

}  // namespace
}  // namespace korvane::windows::test
