#include "chm_help_viewer.h"

#include <QApplication>
#include <QFile>

#include "help_browser.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "qt_text.h"

namespace korvane::ui {
namespace {

constexpr char16_t kViewerSource[] = u"HtmlHelp";
constexpr std::int32_t kCannotCreateViewer = 429;  // the component cannot be created

}  // namespace

NativeWindowHandle ChmHelpViewer::HtmlHelpA(NativeWindowHandle owner, const Text& path,
                                            unsigned command, std::uintptr_t data) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    throw Error(kCannotCreateViewer, u"无法创建帮助查看器", kViewerSource);
  }
  if (command != kHhDisplayTopic || data != 0) return 0;

  std::string posixPath;
  try {
    posixPath = linux_edition::ToPosixPath(path);
  } catch (const Error&) {
    return 0;  // a path that names no file here is a file that cannot be read
  }
  const QString key = QFile::decodeName(QByteArray::fromStdString(posixPath));
  if (viewer_ && viewerPath_ == key) {
    viewer_->ShowDefaultTopic();
  } else {
    auto archive = ChmArchive::Open(posixPath);
    if (!archive) return 0;
    if (viewer_) viewer_->close();
    viewer_ = new HelpBrowser(std::move(*archive), QWidget::find(static_cast<WId>(owner)));
    viewerPath_ = key;
    viewer_->ShowDefaultTopic();
  }
  viewer_->show();
  viewer_->raise();
  viewer_->activateWindow();
  return static_cast<NativeWindowHandle>(viewer_->winId());
}

}  // namespace korvane::ui
