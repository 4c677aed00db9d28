#include "windows/main_frame.h"

#include <optional>

#include "windows/client_size.h"
#include "windows/display_dpi.h"
#include "windows/main_window_ids.h"
#include "windows/menu_bar.h"
#include "windows/progress_box.h"
#include "windows/resource_ids.h"
#include "windows/wait_cursor.h"
#include "windows/wide_text.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExtendedStyle = 0;

// Backup and compaction keep the hourglass up from start to end. The
// archive query shows it only while it copies (the host services do that),
// not over its file dialog.
bool ShowsWaitCursor(MenuCommand command) {
  return command == MenuCommand::压缩 || command == MenuCommand::备份;
}

}  // namespace

MainFrame::MainFrame(HINSTANCE instance, ComApartment& apartment)
    : instance_(instance),
      banner_(KORVANE_BANNER, apartment),
      icons_(instance, KORVANE_ICON),
      dpi_(SystemDpi()) {}

// A window still open here was never unloaded (the message loop ended some
// other way): it goes without its events, which would reach a model that
// may already be gone.
MainFrame::~MainFrame() {
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void MainFrame::Create(MainWindow& model) {
  model_ = &model;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &MainFrame::Procedure;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExW(&windowClass)) throw LastError(u"RegisterClass");

  HMENU menu = CreateMenuBar();
  const SIZE client = ClientSizeAt(dpi_);
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, kStyle, TRUE, kExtendedStyle);
  window_ = CreateWindowExW(kExtendedStyle, kMainWindowClass, AsWide(Text(kWindowCaption)), kStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, menu, instance_, this);
  if (!window_) {
    const Error error = LastError(u"CreateWindow");
    DestroyMenu(menu);
    throw error;
  }
  // Created on a monitor of another resolution than the screen's, it takes
  // that monitor's.
  dpi_ = WindowDpi(window_);
  FitClientArea(window_, dpi_);
  icons_.Apply(window_, dpi_);
}

void MainFrame::SetVisible(bool visible) {
  // ShowWindow answers the previous visibility, not success: nothing to check.
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

// Never raises: 关闭 calls it from the window procedure, where an exception
// would end the launcher. Destroying the launcher's own window on its own
// thread does not fail.
void MainFrame::Unload() {
  if (window_) DestroyWindow(window_);
}

std::unique_ptr<Progress> MainFrame::ShowProgress(const Text& line, bool cancellable) {
  try {
    return std::make_unique<ProgressBox>(window_, line, cancellable);
  } catch (...) {
    // Out of memory: the work goes on without a box.
    return std::make_unique<UnwatchedProgress>();
  }
}

LRESULT CALLBACK MainFrame::Procedure(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* frame = static_cast<MainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    frame->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
  }
  auto* frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!frame) return DefWindowProcW(window, message, wParam, lParam);
  return frame->OnMessage(message, wParam, lParam);
}

LRESULT MainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (const auto command = CommandOf(LOWORD(wParam)); command && HIWORD(wParam) == 0) {
        RunCommand(*command);
        return 0;
      }
      break;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DPICHANGED:
      // Both halves of wParam hold the new resolution, across and down.
      Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // Closing while a command's message box or dialog is up would pull the
      // component files from under it; the close box is disabled then anyway.
      if (!busy_) DestroyWindow(window_);
      return 0;
    case WM_DESTROY: {
      HWND window = window_;
      window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      model_->Unload();
      PostQuitMessage(0);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainFrame::Load() {
  busy_ = true;
  model_->Load();
  busy_ = false;
}

void MainFrame::RunCommand(MenuCommand command) {
  if (busy_) return;
  busy_ = true;
  {
    std::optional<WaitCursor> hourglass;
    if (ShowsWaitCursor(command)) hourglass.emplace();
    model_->Choose(command);
  }
  busy_ = false;
}

void MainFrame::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  if (dc) banner_.Draw(dc, dpi_);
  EndPaint(window_, &paint);
}

void MainFrame::Rescale(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // The suggestion scales the whole frame; the menu bar may wrap otherwise
  // at the new size, so the client area is measured again.
  FitClientArea(window_, dpi_);
  icons_.Apply(window_, dpi_);
  InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace korvane::windows
