#include "open_file_dialog.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "dialog_filter.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "qt_text.h"

namespace korvane::ui {
namespace {

constexpr char16_t kDialogSource[] = u"CommonDialog";

// Qt's dialog refuses a missing file when several may be chosen: its Open
// button goes grey and its accept() turns the name down. The platform's
// dialog accepts a typed name unless the file must exist, so this one keeps
// the button usable while a name is typed and accepts such a name.
class LenientFileDialog : public QFileDialog {
 public:
  LenientFileDialog(QWidget* parent, const QString& title, bool fileMustExist)
      : QFileDialog(parent, title), fileMustExist_(fileMustExist) {
    setOption(QFileDialog::DontUseNativeDialog);
    auto* buttons = findChild<QDialogButtonBox*>();
    nameEdit_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    openButton_ = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (!fileMustExist_ && openButton_ && nameEdit_) openButton_->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == openButton_ && event->type() == QEvent::EnabledChange &&
        !openButton_->isEnabled() && !nameEdit_->text().trimmed().isEmpty()) {
      openButton_->setEnabled(true);
    }
    return QFileDialog::eventFilter(watched, event);
  }

 protected:
  void accept() override {
    const QStringList files = selectedFiles();
    const bool namesMissingFile = std::any_of(
        files.begin(), files.end(), [](const QString& f) { return !QFileInfo::exists(f); });
    if (!fileMustExist_ && namesMissingFile) {
      QDialog::accept();
      return;
    }
    QFileDialog::accept();
  }

 private:
  bool fileMustExist_;
  QLineEdit* nameEdit_ = nullptr;
  QPushButton* openButton_ = nullptr;
};

// The chosen path as the platform's dialog hands it over: one file as its
// full path; several as their folder and their names joined by NULs.
Text ChosenFileName(const QStringList& files) {
  if (files.size() == 1)
    return linux_edition::ToWindowsPath(QFile::encodeName(files.front()).toStdString());
  const QFileInfo first(files.front());
  Text chosen = linux_edition::ToWindowsPath(QFile::encodeName(first.absolutePath()).toStdString());
  for (const QString& file : files) {
    chosen += u'\0';
    chosen += FromQString(QFileInfo(file).fileName());
  }
  return chosen;
}

}  // namespace

void OpenFileDialog::ShowOpen() {
  const bool multiSelect = (flags_ & ofn::kAllowMultiSelect) != 0;
  const bool fileMustExist = (flags_ & ofn::kFileMustExist) != 0;
  QWidget* parent = owner_ && owner_->isVisible() ? owner_.data() : nullptr;
  // Qt's own dialog everywhere (never a desktop's native one), so that the
  // behaviour above holds whatever desktop the launcher runs on.
  LenientFileDialog dialog(parent, ToQString(dialogTitle_), fileMustExist);
  dialog.setOption(QFileDialog::DontResolveSymlinks, (flags_ & ofn::kNoDereferenceLinks) != 0);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(multiSelect     ? QFileDialog::ExistingFiles
                     : fileMustExist ? QFileDialog::ExistingFile
                                     : QFileDialog::AnyFile);
  dialog.setNameFilters(NameFiltersFrom(filter_));

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    if (cancelError_) throw Error(error_number::kDialogCancelled, u"选定了取消", kDialogSource);
    return;
  }
  const QStringList files = dialog.selectedFiles();
  const Text chosen = ChosenFileName(files);
  if (chosen.size() > static_cast<std::size_t>(std::max(maxFileSize_, 0))) {
    throw Error(dialog_error::kBufferTooSmall, u"缓冲区太小", kDialogSource);
  }
  // The chosen file's folder becomes the current directory, as the
  // platform's dialog leaves it; the launcher splits the path by it.
  const QByteArray folder = QFile::encodeName(QFileInfo(files.front()).absolutePath());
  if (::chdir(folder.constData()) != 0) {
    throw Error(dialog_error::kPathNotFound, u"路径未找到", kDialogSource);
  }
  fileName_ = chosen;
}

}  // namespace korvane::ui
