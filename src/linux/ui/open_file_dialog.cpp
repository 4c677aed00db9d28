#include "open_file_dialog.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
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
  }

  // The files named in the file-name box, as typed or as Qt filled it in
  // from the selection: one name, or several each in double quotes; names
  // are taken in the dialog's folder unless they are absolute. Qt's own
  // selectedFiles() would drop a typed name that names no file.
  QStringList ChosenFiles() const {
    const QString text = nameEdit_ ? nameEdit_->text().trimmed() : QString();
    if (text.isEmpty()) return selectedFiles();
    QStringList names;
    if (text.contains(u'"')) {
      static const QRegularExpression kQuoted(QStringLiteral("\"([^\"]+)\""));
      for (const auto& match : kQuoted.globalMatch(text)) names << match.captured(1);
    } else {
      names << text;
    }
    QStringList files;
    for (const QString& name : names) files << directory().absoluteFilePath(name);
    return files;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == openButton_ && event->type() == QEvent::EnabledChange) KeepOpenUsable();
    return QFileDialog::eventFilter(watched, event);
  }

 protected:
  // The dialog's buttons are made anew as it is set up, so the Open button
  // is looked up once the dialog is complete, as it is shown.
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    auto* buttons = findChild<QDialogButtonBox*>();
    nameEdit_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    openButton_ = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (fileMustExist_ || openButton_ == nullptr || nameEdit_ == nullptr || hooked_) return;
    hooked_ = true;
    // Qt greys the button on every change of the name and of the folder's
    // listing; each time, the typed name makes it usable again.
    openButton_->installEventFilter(this);
    connect(nameEdit_, &QLineEdit::textChanged, this, [this] { KeepOpenUsable(); });
    KeepOpenUsable();
  }

  void accept() override {
    const QStringList files = ChosenFiles();
    const bool namesMissingFile = std::any_of(
        files.begin(), files.end(), [](const QString& f) { return !QFileInfo::exists(f); });
    if (!fileMustExist_ && namesMissingFile) {
      QDialog::accept();
      return;
    }
    QFileDialog::accept();
  }

 private:
  void KeepOpenUsable() {
    if (!openButton_->isEnabled() && !nameEdit_->text().trimmed().isEmpty()) {
      openButton_->setEnabled(true);
    }
  }

  bool fileMustExist_;
  bool hooked_ = false;
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

  if (dialog.exec() != QDialog::Accepted || dialog.ChosenFiles().isEmpty()) {
    if (cancelError_) throw Error(error_number::kDialogCancelled, u"选定了取消", kDialogSource);
    return;
  }
  const QStringList files = dialog.ChosenFiles();
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
