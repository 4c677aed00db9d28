// The Linux edition of the launcher: the core's window model and routines on
// the POSIX host services, the SQLite engine, the Access stand-in's
// automation, and Qt for the window, the file dialog, the message boxes and
// the help viewer.

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "chm_help_viewer.h"
#include "common/launcher.h"
#include "launcher_window.h"
#include "linux/services/posix_host_services.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/stand_in_host_automation.h"
#include "linux/services/support_log_file.h"
#include "message_box.h"
#include "open_file_dialog.h"
#include "shell/main_window.h"
#include "ui_script.h"

namespace {

// Qt's own texts (the buttons of the message boxes, the file dialog) in
// Simplified Chinese, like every text of the launcher, where Qt's
// translations are installed.
void InstallChineseTranslation(QApplication& app, QTranslator& translator) {
  if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
}

// The launcher's texts are Chinese: a font that holds their characters
// spares Qt the search for a fallback font on every start.
void PreferChineseFont() {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), font.family()});
  QApplication::setFont(font);
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace korvane;
  QApplication app(argc, argv);
  QTranslator translator;
  InstallChineseTranslation(app, translator);
  PreferChineseFont();

  const QIcon icon(QStringLiteral(":/korvane/korvane.png"));
  QApplication::setWindowIcon(icon);
  ui::LauncherWindow window(QStringLiteral(":/korvane/banner.gif"), icon);

  linux_edition::PosixHostServices host(
      [&window](const Text& text, const Text& title, MessageButtons buttons) {
        // Owned by the main window once it is on the screen; start-up
        // messages come before it is.
        return ui::ShowMessageBox(window.isVisible() ? &window : nullptr, text, title, buttons);
      });
  linux_edition::SqliteDatabaseEngine engine;
  linux_edition::StandInHostAutomation hostAutomation;
  ui::OpenFileDialog fileDialog(&window);
  ui::ChmHelpViewer helpViewer;
  linux_edition::SupportLogFile supportLog(
      linux_edition::SupportLogPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")));
  Launcher launcher{host, engine, hostAutomation, fileDialog, helpViewer, window, supportLog, {}};

  MainWindow model(launcher);
  window.OnCommand([&model](MenuCommand command) { model.Choose(command); });
  window.OnUnload([&model] { model.Unload(); });

  const auto script = ui::UiScript::FromEnvironment(window);
  model.Load();  // may end the program
  window.show();
  return QApplication::exec();
}
