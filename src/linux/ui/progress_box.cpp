#include "progress_box.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/message_titles.h"
#include "qt_text.h"

namespace korvane::ui {
namespace {

constexpr int kShowAfterMs = 1000;
// How often the engine's keep-alive lets events through: often enough for
// the bar to move smoothly, rarely enough to cost the work nothing.
constexpr int kKeepAliveMs = 25;
// The bar's steps; a byte count does not fit Qt's int.
constexpr int kSteps = 1000;

}  // namespace

ProgressBox::ProgressBox(QWidget* owner, const Text& line, bool cancellable)
    : dialog_(new QProgressDialog(owner)) {
  dialog_->setWindowTitle(ToQString(kStatusTitle));
  dialog_->setLabelText(ToQString(line));
  dialog_->setModal(true);
  // The box stays until the work ends, even at 100 %.
  dialog_->setAutoReset(false);
  dialog_->setAutoClose(false);
  if (cancellable) {
    dialog_->setCancelButtonText(QStringLiteral("取消"));
  } else {
    dialog_->setCancelButton(nullptr);
  }
  dialog_->setMinimumDuration(kShowAfterMs);
  // No measure yet; the first value starts the clock of the box's showing.
  dialog_->setRange(0, 0);
  dialog_->setValue(0);
  sinceEvents_.start();
  replacedHook_ = linux_edition::SetKeepAliveHook([this] {
    if (sinceEvents_.hasExpired(kKeepAliveMs)) ProcessEvents();
  });
}

ProgressBox::~ProgressBox() {
  linux_edition::SetKeepAliveHook(std::move(replacedHook_));
  delete dialog_;
}

bool ProgressBox::Advance(std::uint64_t done, std::uint64_t total) noexcept {
  try {
    // Cancelled, the box has gone; a value set now, once its second is up,
    // would show it again.
    if (dialog_ && !dialog_->wasCanceled() && total > 0) {
      if (dialog_->maximum() != kSteps) dialog_->setRange(0, kSteps);
      const double share = static_cast<double>(std::min(done, total)) / static_cast<double>(total);
      dialog_->setValue(static_cast<int>(share * kSteps));
    }
    ProcessEvents();
    return !dialog_ || !dialog_->wasCanceled();
  } catch (...) {
    return true;  // a box that fails leaves the work to go on
  }
}

void ProgressBox::ProcessEvents() {
  sinceEvents_.restart();
  // Until the box is up and holds the user's input to itself, that input
  // waits: a menu entry chosen meanwhile would run a command inside this one.
  QCoreApplication::processEvents(
      dialog_ && dialog_->isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

}  // namespace korvane::ui
