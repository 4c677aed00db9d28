// The Access stand-in, installed as msaccess.exe in the host folder: opens
// the front-end named on its command line under the workgroup account it is
// given, shows its linked tables, holds its files open and registers itself
// as the running "Access.Application" until its window is closed.
//
// KORVANE_SHOW_WINDOW gives the window style (3: maximised, with focus);
// KORVANE_HOST_EXIT_AFTER_MS makes it quit by itself; KORVANE_HOST_LOG
// records each start (host_log.h).

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <optional>
#include <vector>

#include "linux/access/access_command_line.h"
#include "linux/access/host_log.h"
#include "linux/access/host_window.h"
#include "linux/services/file_lock.h"
#include "linux/services/front_end_summary.h"
#include "linux/services/host_registry.h"
#include "linux/services/utf8_text.h"
#include "platform/error.h"

namespace {

using namespace korvane;
using namespace korvane::linux_edition;

constexpr char16_t kHostTitle[] = u"Microsoft Access";

int WindowStyle() {
  const char* style = std::getenv("KORVANE_SHOW_WINDOW");
  return style ? std::atoi(style) : 1;
}

void QuitAfterTimeLimit() {
  if (const char* limit = std::getenv("KORVANE_HOST_EXIT_AFTER_MS")) {
    QTimer::singleShot(std::atoi(limit), qApp, [] { QApplication::exit(0); });
  }
}

// Tells the user why the database did not open, as Access does, and ends
// with exit status 1 once the box is closed.
int Refuse(const Text& description) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, ToQString(kHostTitle), ToQString(description),
                              QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QMessageBox::finished, qApp, [] { QApplication::exit(1); });
  box->open();
  QuitAfterTimeLimit();
  QApplication::exec();
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const HostLog log;
  log.Write("start", FromUtf8(std::to_string(::getpid())));
  std::vector<Text> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(FromUtf8(argv[i]));
    log.Write("arg", arguments.back());
  }
  const int style = WindowStyle();
  log.Write("show", FromUtf8(std::to_string(style)));

  const auto commandLine = ParseAccessCommandLine(arguments);
  if (!commandLine) {
    log.Write("opened", kHostTitle);
    HostWindow window(kHostTitle, {});
    window.Show(style);
    QuitAfterTimeLimit();
    return QApplication::exec();
  }

  // Open the front-end and hold it and its back-ends as an open database
  // is held; register only once all is in hand.
  std::vector<FileLock> held;
  std::optional<HostRegistration> registration;
  FrontEndSummary summary;
  try {
    summary = SummariseFrontEnd(AccessConnectionText(*commandLine));
    for (const auto& file : summary.files) {
      held.push_back(FileLock::Acquire(file, LockKind::kShared, u"msaccess.exe"));
    }
    if (summary.appTitle.empty()) summary.appTitle = kHostTitle;
    registration.emplace(HostRegistration::Register(summary.appTitle));
  } catch (const Error& error) {
    log.Write("refused", error.Description());
    return Refuse(error.Description());
  }
  log.Write("opened", summary.appTitle);

  HostWindow window(summary.appTitle, summary.tables);
  window.Show(style);
  QuitAfterTimeLimit();
  return QApplication::exec();
}
