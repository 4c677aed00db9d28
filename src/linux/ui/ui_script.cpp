#include "ui_script.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include "launcher_window.h"

namespace korvane::ui {
namespace {

constexpr char kScriptVariable[] = "KORVANE_UI_SCRIPT";
constexpr int kPollMilliseconds = 10;
constexpr int kFailureExitCode = 3;
// The prefix of a step taken only if a box or dialog is open.
constexpr QLatin1String kMaybe("maybe ");

QString ButtonsOf(const QMessageBox& box) {
  QString buttons = box.button(QMessageBox::Yes) ? QStringLiteral("Yes/No") : QStringLiteral("OK");
  if (static_cast<QAbstractButton*>(box.defaultButton()) == box.button(QMessageBox::No))
    buttons += QStringLiteral(" default No");
  if (box.icon() != QMessageBox::NoIcon) buttons += QStringLiteral(" with icon");
  if (box.textFormat() != Qt::PlainText) buttons += QStringLiteral(" as markup");
  return buttons;
}

QString OwnerTitle(const QWidget& widget) {
  const QWidget* owner = widget.parentWidget();
  return owner ? owner->window()->windowTitle() : QStringLiteral("none");
}

}  // namespace

std::unique_ptr<UiScript> UiScript::FromEnvironment(LauncherWindow& window) {
  const QString path = qEnvironmentVariable(kScriptVariable);
  if (path.isEmpty()) return nullptr;
  QFile script(path);
  const QByteArray logPath = QFile::encodeName(path + QStringLiteral(".log"));
  const int log = ::open(logPath.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (!script.open(QIODevice::ReadOnly | QIODevice::Text) || log < 0) _exit(kFailureExitCode);
  QStringList steps;
  for (const QString& line : QString::fromUtf8(script.readAll()).split(u'\n')) {
    const QString step = line.trimmed();
    if (!step.isEmpty() && !step.startsWith(u'#')) steps << step;
  }
  return std::unique_ptr<UiScript>(new UiScript(window, std::move(steps), log));
}

UiScript::UiScript(LauncherWindow& window, QStringList steps, int logFile)
    : window_(window), steps_(std::move(steps)), logFile_(logFile), timer_(new QTimer(this)) {
  window_.installEventFilter(this);
  connect(timer_, &QTimer::timeout, this, [this] { Poll(); });
  // Start-up may show a message before the window is shown, from inside the
  // window's load; the timer runs in the message box's own event loop.
  timer_->start(kPollMilliseconds);
}

bool UiScript::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Show && !shown_) {
    shown_ = true;
    QStringList captions;
    for (const QAction* action : window_.menuBar()->actions()) captions << action->text();
    const QSize client = window_.centralWidget()->size();
    Log(QStringLiteral("shown %1|%2x%3|%4")
            .arg(window_.windowTitle())
            .arg(client.width())
            .arg(client.height())
            .arg(captions.join(u'|')));
    QTimer::singleShot(0, this, [this] { Poll(); });
  }
  return false;
}

void UiScript::Poll() {
  if (finished_ || WaitForProgress()) return;
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (steps_.isEmpty()) Fail(QStringLiteral("box or dialog open after the script's end"));
    QString step = steps_.takeFirst();
    if (step.startsWith(kMaybe)) step = step.mid(kMaybe.size());
    if (!AnswerModal(modal, step)) Fail(QStringLiteral("box or dialog open for: ") + step);
    return;
  }
  if (!shown_ || commandPending_ || !pause_.hasExpired()) return;
  if (steps_.isEmpty()) {
    finished_ = true;
    // A closed (or hidden) window is on its way out: that is the outcome,
    // not an idle launcher.
    if (!window_.isVisible()) return;
    Log(QStringLiteral("idle"));
    QCoreApplication::exit(0);
    return;
  }
  RunWindowStep(steps_.takeFirst());
}

// Long work reports from inside a command, and this poll runs in between:
// while its box exists the script takes no other step.
bool UiScript::WaitForProgress() {
  auto* progress = window_.findChild<QProgressDialog*>();
  if (progress == nullptr) return false;
  if (progress->isVisible() && !steps_.isEmpty() &&
      steps_.front() == QStringLiteral("progress cancel")) {
    steps_.removeFirst();
    const bool underWay = progress->value() < progress->maximum();
    Log(QStringLiteral("progress %1|%2|%3")
            .arg(progress->windowTitle(), progress->labelText(),
                 underWay ? QStringLiteral("under way") : QStringLiteral("at its end")));
    auto* cancel = progress->findChild<QPushButton*>();
    if (cancel == nullptr) Fail(QStringLiteral("progress box without Cancel"));
    cancel->click();
  }
  return true;
}

bool UiScript::AnswerModal(QWidget* modal, const QString& step) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    static const QMap<QString, QMessageBox::StandardButton> kAnswers{
        {QStringLiteral("answer OK"), QMessageBox::Ok},
        {QStringLiteral("answer Yes"), QMessageBox::Yes},
        {QStringLiteral("answer No"), QMessageBox::No}};
    Log(QStringLiteral("message %1|%2|%3").arg(box->windowTitle(), box->text(), ButtonsOf(*box)));
    QAbstractButton* button = box->button(kAnswers.value(step, QMessageBox::NoButton));
    if (button == nullptr) return false;
    button->click();
    return true;
  }
  if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
    Log(QStringLiteral("dialog %1|%2")
            .arg(dialog->windowTitle(), dialog->nameFilters().join(";;")));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (buttons == nullptr || nameEdit == nullptr) return false;
    if (step == QStringLiteral("dialog cancel")) {
      buttons->button(QDialogButtonBox::Cancel)->click();
      return true;
    }
    const QString openPrefix = QStringLiteral("dialog open ");
    if (!step.startsWith(openPrefix)) return false;
    // As a user does: go to the folder, type the name (several in quotes).
    const QStringList paths = step.mid(openPrefix.size()).split(u'|');
    dialog->setDirectory(QFileInfo(paths.front()).absolutePath());
    QStringList names;
    for (const QString& path : paths) names << QFileInfo(path).fileName();
    nameEdit->setText(names.size() == 1 ? names.front()
                                        : u'"' + names.join(QStringLiteral("\" \"")) + u'"');
    QAbstractButton* open = buttons->button(QDialogButtonBox::Open);
    if (open == nullptr || !open->isEnabled()) return false;
    open->click();
    return true;
  }
  return false;
}

void UiScript::RunWindowStep(const QString& step) {
  const QString verb = step.section(u' ', 0, 0);
  const QString argument = step.section(u' ', 1);
  if (verb == QStringLiteral("choose")) {
    for (QAction* action : window_.menuBar()->actions()) {
      if (action->text() != argument) continue;
      // The command runs from the event loop; until it has begun, the
      // window is not waiting for the next step.
      commandPending_ = true;
      action->trigger();
      QMetaObject::invokeMethod(
          this, [this] { commandPending_ = false; }, Qt::QueuedConnection);
      return;
    }
    Fail(QStringLiteral("no menu entry ") + argument);
  } else if (verb == QStringLiteral("close")) {
    finished_ = true;
    window_.close();
  } else if (verb + u' ' == kMaybe) {
    // No box or dialog came: nothing to answer.
  } else if (verb == QStringLiteral("wait")) {
    pause_.setRemainingTime(argument.toInt());
  } else if (verb == QStringLiteral("windows")) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget == &window_ || !widget->isVisible()) continue;
      QString line =
          QStringLiteral("window %1|owner %2").arg(widget->windowTitle(), OwnerTitle(*widget));
      if (auto* browser = qobject_cast<QTextBrowser*>(widget)) {
        line += QStringLiteral("|topic ") + browser->source().toString();
      }
      Log(line);
    }
  } else {
    Fail(QStringLiteral("no box or dialog open for: ") + step);
  }
}

void UiScript::Log(const QString& line) const {
  const QByteArray bytes = (line + u'\n').toUtf8();
  // One write per line, unbuffered: the program may end at once afterwards.
  if (::write(logFile_, bytes.constData(), static_cast<size_t>(bytes.size())) < 0) {
    _exit(kFailureExitCode);
  }
}

void UiScript::Fail(const QString& what) const {
  Log(QStringLiteral("unexpected ") + what);
  _exit(kFailureExitCode);
}

}  // namespace korvane::ui
