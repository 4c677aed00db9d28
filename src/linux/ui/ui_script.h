#pragma once
// The end-to-end tests' hand on the launcher: when the environment variable
// KORVANE_UI_SCRIPT names a script, the launcher follows it as a user would
// (choose menu entries, answer message boxes, fill in or cancel the file
// dialog, close the window) and writes what it saw to the script's path
// with ".log" appended, one line per event. Without the variable nothing
// here exists at run time.
//
// Script lines (UTF-8; blank lines and lines starting with "#" are skipped):
//   choose <menu caption>       click that entry of the menu bar
//   close                       close the window by the platform's means
//   wait <milliseconds>         do nothing for a while
//   windows                     log the other visible windows
//   answer OK|Yes|No            press that button of the open message box
//   maybe <step>                <step> (an answer or a dialog step) if a box
//                               or dialog is open; nothing otherwise, for a
//                               command whose outcome the script cannot know
//   dialog cancel               cancel the open file dialog
//   progress cancel             press Cancel on the progress box once it
//                               shows (while one exists, the script waits
//                               for its work to end otherwise)
//   dialog open <path>[|<path>] go to the first path's folder, type the
//                               name(s) into the file-name box and open;
//                               several names must be files of that folder
// Log lines:
//   shown <caption>|<client width>x<height>|<menu captions joined by "|">
//   message <title>|<text>|<buttons>   (buttons "OK" or "Yes/No default No",
//                                       with " with icon" if it has one)
//   dialog <title>|<name filters joined by ";;">
//   window <title>|owner <owner's title>|topic <address>
//   progress <title>|<line>|under way  (a progress box cancelled, its bar
//                                       short of its end, else "at its end")
//   idle                       the script is done, the window open; the
//                              launcher then quits without unloading (a
//                              launcher whose window is gone or hidden by
//                              then logs nothing and ends as it would)
//   unexpected <what>          the launcher did not do what the script
//                              expects next; it then exits with code 3

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>
#include <memory>

class QTimer;

namespace korvane::ui {

class LauncherWindow;

class UiScript : public QObject {
 public:
  // The script that KORVANE_UI_SCRIPT names; nothing when the variable is
  // unset. A script that cannot be read ends the program with code 3.
  static std::unique_ptr<UiScript> FromEnvironment(LauncherWindow& window);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  UiScript(LauncherWindow& window, QStringList steps, int logFile);

  void Poll();
  bool AnswerModal(QWidget* modal, const QString& step);
  bool WaitForProgress();
  void RunWindowStep(const QString& step);
  void Log(const QString& line) const;
  [[noreturn]] void Fail(const QString& what) const;

  LauncherWindow& window_;
  QStringList steps_;
  int logFile_;
  QTimer* timer_;
  QDeadlineTimer pause_{0};
  bool shown_ = false;
  bool commandPending_ = false;
  bool finished_ = false;
};

}  // namespace korvane::ui
