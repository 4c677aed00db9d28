// The yardstick of the start-up benchmark: an empty Qt main window of the
// launcher's size that quits as soon as it has been shown, as the launcher
// does when its script is empty.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(592, 407);
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return QApplication::exec();
}
