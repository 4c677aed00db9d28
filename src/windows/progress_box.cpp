#include "windows/progress_box.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

#include "platform/message_titles.h"
#include "windows/com_apartment.h"
#include "windows/wide_text.h"

namespace korvane::windows {
namespace {

// The shell's classes and the dialog's interface by their identifiers:
// libuuid holds these in one object with thousands of others, which would
// add 35 KB to the 32-bit program.
constexpr GUID kProgressDialogClass = {
    0xf8383852, 0xfcd3, 0x11d1, {0xa6, 0xb9, 0x00, 0x60, 0x97, 0xdf, 0x5b, 0xd4}};
constexpr GUID kProgressDialogInterface = {
    0xebbc7c04, 0x315e, 0x11d2, {0xb6, 0x2f, 0x00, 0x60, 0x97, 0xdf, 0x5b, 0xd4}};
constexpr GUID kTaskbarListClass = {
    0x56fdf344, 0xfd6d, 0x11d0, {0x95, 0x8a, 0x00, 0x60, 0x97, 0xc9, 0xa0, 0x90}};

// How often the box's thread hands the work's progress on to the box.
constexpr DWORD kPollMs = 100;
// Line 3 once the user has cancelled, until the work has stopped.
constexpr char16_t kCancellingLine[] = u"正在取消…";

// Waits up to `ms` for `event`, answering the messages of the calling
// thread's windows meanwhile. True when the event is set, or when waiting
// fails, which must not hold the work's end.
bool Signalled(HANDLE event, DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const DWORD woken = MsgWaitForMultipleObjects(1, &event, FALSE, left, QS_ALLINPUT);
    if (woken == WAIT_TIMEOUT) return false;
    if (woken != WAIT_OBJECT_0 + 1) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// A dialog's flags are fixed when it starts: a box that learns the work's
// total after it has appeared is started anew with a measured bar.
ComPtr<IProgressDialog> StartDialog(HWND owner, const Text& line, bool cancellable, bool measured) {
  ComPtr<IProgressDialog> dialog;
  // shlobj.h gives IProgressDialog no __uuidof, hence no IID_PPV_ARGS.
  if (FAILED(CoCreateInstance(kProgressDialogClass, nullptr, CLSCTX_INPROC_SERVER,
                              kProgressDialogInterface,
                              reinterpret_cast<void**>(dialog.GetAddressOf())))) {
    return {};
  }
  dialog->SetTitle(AsWide(Text(kStatusTitle)));
  dialog->SetLine(1, AsWide(line), FALSE, nullptr);
  dialog->SetCancelMsg(AsWide(Text(kCancellingLine)), nullptr);
  DWORD flags = PROGDLG_NORMAL;
  if (!cancellable) flags |= PROGDLG_NOCANCEL;
  if (!measured) flags |= PROGDLG_MARQUEEPROGRESS;
  if (FAILED(dialog->StartProgressDialog(owner, nullptr, flags, nullptr))) return {};
  return dialog;
}

ComPtr<ITaskbarList3> Taskbar() {
  ComPtr<ITaskbarList3> taskbar;
  if (FAILED(CoCreateInstance(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&taskbar))) ||
      FAILED(taskbar->HrInit())) {
    return {};
  }
  return taskbar;
}

}  // namespace

ProgressBox::ProgressBox(HWND owner, const Text& line, bool cancellable, DWORD delayMs)
    : owner_(owner),
      line_(line),
      cancellable_(cancellable),
      delayMs_(delayMs),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (stop_) thread_.reset(CreateThread(nullptr, 0, &ProgressBox::Watch, this, 0, nullptr));
}

ProgressBox::~ProgressBox() {
  if (!thread_) return;
  SetEvent(stop_.get());
  // The box's going activates the main window, whose thread this is: the
  // messages that sends are answered while waiting, or neither thread
  // could go on.
  HANDLE thread = thread_.get();
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

bool ProgressBox::Advance(std::uint64_t done, std::uint64_t total) noexcept {
  done_.store(done);
  total_.store(total);
  return !cancelled_.load();
}

DWORD WINAPI ProgressBox::Watch(void* box) noexcept {
  auto& self = *static_cast<ProgressBox*>(box);
  if (Signalled(self.stop_.get(), self.delayMs_)) return 0;  // over before the box was due
  // The box and the taskbar's button are COM objects of this thread's own.
  ComApartment apartment;
  if (!apartment.Enter()) return 0;
  try {
    self.ShowUntilStopped();
  } catch (...) {
    // Out of memory: the work goes on unwatched.
  }
  return 0;
}

void ProgressBox::ShowUntilStopped() {
  const ComPtr<ITaskbarList3> taskbar = Taskbar();
  ComPtr<IProgressDialog> dialog;
  bool started = false;
  bool measured = false;
  std::pair<std::uint64_t, std::uint64_t> shown{0, 0};
  do {
    const std::uint64_t total = total_.load();
    const std::uint64_t done = done_.load();
    if (!started || (total != 0 && !measured)) {
      if (dialog) dialog->StopProgressDialog();
      started = true;
      measured = total != 0;
      dialog = StartDialog(owner_, line_, cancellable_, measured);
      if (taskbar) taskbar->SetProgressState(owner_, measured ? TBPF_NORMAL : TBPF_INDETERMINATE);
      shown = {0, 0};
    }
    if (measured && std::pair(done, total) != shown) {
      shown = {done, total};
      if (dialog) dialog->SetProgress64(done, total);
      if (taskbar) taskbar->SetProgressValue(owner_, done, total);
    }
    // A box without a Cancel button still closes with Esc or its close box:
    // that cancels nothing.
    if (cancellable_ && dialog && dialog->HasUserCancelled()) cancelled_.store(true);
  } while (!Signalled(stop_.get(), kPollMs));
  if (dialog) dialog->StopProgressDialog();
  if (taskbar) taskbar->SetProgressState(owner_, TBPF_NOPROGRESS);
}

}  // namespace korvane::windows
