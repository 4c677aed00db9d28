// The progress box over a window whose thread the work holds, as the
// launcher's is during a backup or a compaction: the box appears only for
// work that lasts, owned by the window, and the user's Cancel reaches the
// work only where the work can stop.

#include <gtest/gtest.h>

#include <cstdint>

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
  bool shows, marquee;        // the bar moves without measure
  UINT userAct;               // to the box: WM_CLOSE (Esc, close box), or 0
  bool stops;                 // Advance answers false afterwards
};

class ProgressBoxTest : public testing::TestWithParam<BoxCase> {};

// A visible box of this process with the status title, or none.
HWND FindBox() {
  for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", L"系统运行状态"));) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
  }
  return nullptr;
}

TEST_P(ProgressBoxTest, ShowsLongWorkAndPassesOnTheUsersCancel) {
  const BoxCase& row = GetParam();
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  HWND box = nullptr;
  {
    ProgressBox progress(owner, u"正在备份后端数据…", row.cancellable);
    EXPECT_TRUE(progress.Advance(row.late ? 0 : row.done, row.late ? 0 : row.total));
    Sleep(row.lastsMs);  // the window's thread is held, as by the work
    EXPECT_TRUE(progress.Advance(row.done, row.total));
    Sleep(500);  // the box's thread looks at the work ten times a second
    box = FindBox();
    ASSERT_EQ(box != nullptr, row.shows);
    if (box) {
      EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
      EXPECT_TRUE(FindWindowExW(box, nullptr, L"Static", L"正在备份后端数据…"));
      EXPECT_EQ(IsWindowVisible(GetDlgItem(box, IDCANCEL)) != FALSE, row.cancellable);
      HWND bar = FindWindowExW(box, nullptr, PROGRESS_CLASSW, nullptr);
      EXPECT_EQ((GetWindowLongW(bar, GWL_STYLE) & PBS_MARQUEE) != 0, row.marquee);
      // The bar stands at done/total of its range, a range it was given.
      const LRESULT range = SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
      EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0) * row.total, row.done * range);
      if (row.total > 0) {
        EXPECT_GT(range, 0);
      }
      if (row.userAct == WM_CLOSE) PostMessageW(box, WM_CLOSE, 0, 0);
      if (row.userAct == BM_CLICK) PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
      Sleep(500);
    }
    EXPECT_EQ(progress.Advance(row.done, row.total), !row.stops);
  }
  EXPECT_FALSE(box && IsWindow(box) && IsWindowVisible(box)) << "the box outlives the work";
  DestroyWindow(owner);
}

constexpr DWORD kDue = kProgressBoxDelayMs, kLasting = kProgressBoxDelayMs + 300;

INSTANTIATE_TEST_SUITE_P(
    Boxes, ProgressBoxTest,
    testing::Values(
        BoxCase{"ShortWorkShowsNoBox", true, kDue / 5, 0, 0, false, false, false, 0, false},
        BoxCase{"WithoutATotalTheBarMovesWithoutMeasureAndNothingCancels", false, kLasting, 0, 0,
                false, true, true, WM_CLOSE, false},
        BoxCase{"TheUsersCancelStopsMeasuredWork", true, kLasting, 3, 4, false, true, false,
                BM_CLICK, true},
        BoxCase{"ATotalToldLateMeasuresTheBar", true, kLasting, 1, 4, true, true, false, 0, false}),
    RowName());

}  // namespace
}  // namespace korvane::windows::test
