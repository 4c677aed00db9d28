#pragma once
// The progress box of long work on Qt: a modal QProgressDialog over the
// main window under the status title, shown only once the work has lasted
// about a second. The bar moves without measure until the work reports a
// total. While the box exists, the events that keep it painted and let
// Cancel be pressed are processed whenever the work reports, and, through
// the services' keep-alive hook, while the engine works without reporting.

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include "linux/services/keep_alive.h"
#include "platform/progress.h"
#include "platform/text.h"

namespace korvane::ui {

class ProgressBox final : public Progress {
 public:
  ProgressBox(QWidget* owner, const Text& line, bool cancellable);
  ~ProgressBox() override;  // the box goes, the keep-alive hook before it returns
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;

  bool Advance(std::uint64_t done, std::uint64_t total) noexcept override;

 private:
  void ProcessEvents();

  QPointer<QProgressDialog> dialog_;
  QElapsedTimer sinceEvents_;
  linux_edition::KeepAliveHook replacedHook_;
};

}  // namespace korvane::ui
