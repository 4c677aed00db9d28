// The open-file dialog as the archive query uses it: what FileName holds and
// where the current directory is after each way of answering it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "launch/archive_query.h"
#include "open_file_dialog.h"
#include "platform/error.h"
#include "qt_text.h"

namespace korvane::ui {
namespace {

// Answers the next file dialog as a user does: goes to the folder, types
// the names into its file-name box and opens, or cancels when there are
// none. Records the dialog's title and filters.
struct DialogAnswer {
  QString folder;
  QStringList names;
  QString seenTitle;
  QStringList seenFilters;

  void Arm() {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [this, timer] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      timer->deleteLater();
      timer->stop();
      seenTitle = dialog->windowTitle();
      seenFilters = dialog->nameFilters();
      auto* buttons = dialog->findChild<QDialogButtonBox*>();
      if (names.isEmpty()) {
        buttons->button(QDialogButtonBox::Cancel)->click();
        return;
      }
      dialog->setDirectory(folder);
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
          ->setText(names.size() == 1 ? names.front() : u'"' + names.join("\" \"") + u'"');
      buttons->button(QDialogButtonBox::Open)->click();
    });
    timer->start(5);
  }
};

class OpenFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"a.mdb", "b.mdb"}) {
      QFile file(folder.filePath(QString::fromUtf8(name)));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // The dialog opens in the current directory, as the platform's does.
    startDirectory = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    dialog.SetCancelError(true);
    dialog.SetMaxFileSize(kArchiveDialogMaxFileSize);
    dialog.SetFlags(kArchiveDialogFlags);
    dialog.SetDialogTitle(kArchiveDialogTitle);
    dialog.SetFilter(kArchiveDialogFilter);
    dialog.SetFileName(u"before");
    answer.folder = folder.path();
  }
  void TearDown() override { QDir::setCurrent(startDirectory); }

  // The folder as the launcher names it.
  Text WindowsFolder() const {
    return u"Z:" + FromQString(QDir(folder.path()).canonicalPath().replace(u'/', u'\\'));
  }
  QString Canonical(const QString& path) const { return QDir(path).canonicalPath(); }

  QTemporaryDir folder;
  QString startDirectory;
  OpenFileDialog dialog{nullptr};
  DialogAnswer answer;
};

struct AcceptRow {
  const char* name;
  QStringList typed;
  Text fileNameAfterFolder;
};
void PrintTo(const AcceptRow& row, std::ostream* out) {
  *out << row.name;
}

class Accepting : public OpenFileDialogTest, public ::testing::WithParamInterface<AcceptRow> {};

TEST_P(Accepting, GivesTheWindowsPathAndMovesToTheFilesFolder) {
  answer.names = GetParam().typed;
  ASSERT_TRUE(QDir::setCurrent(QDir::tempPath()));  // elsewhere, then chosen in the folder
  answer.Arm();

  dialog.ShowOpen();

  EXPECT_EQ(answer.seenTitle, QStringLiteral("调入后端数据库文件"));
  EXPECT_EQ(answer.seenFilters, QStringList{QStringLiteral("数据库后端文件 (*.mdb)")});
  EXPECT_EQ(dialog.FileName(), WindowsFolder() + GetParam().fileNameAfterFolder);
  EXPECT_EQ(Canonical(QDir::currentPath()), Canonical(folder.path()));
}

INSTANTIATE_TEST_SUITE_P(
    , Accepting,
    ::testing::Values(AcceptRow{"ExistingFile", {"a.mdb"}, u"\\a.mdb"},
                      AcceptRow{"TypedNameOfAMissingFile", {"缺.mdb"}, u"\\缺.mdb"},
                      AcceptRow{"SeveralFiles", {"a.mdb", "b.mdb"}, Text(u"\0a.mdb\0b.mdb", 12)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenFileDialogTest, CancelRaisesTheCancelErrorAndChangesNothing) {
  answer.Arm();
  try {
    dialog.ShowOpen();
    ADD_FAILURE() << "no cancel error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), error_number::kDialogCancelled);
  }
  EXPECT_EQ(dialog.FileName(), u"before");
  EXPECT_EQ(QDir::currentPath(), folder.path());
}

TEST_F(OpenFileDialogTest, CancelWithoutCancelErrorJustReturns) {
  dialog.SetCancelError(false);
  answer.Arm();
  EXPECT_NO_THROW(dialog.ShowOpen());
  EXPECT_EQ(dialog.FileName(), u"before");
}

TEST_F(OpenFileDialogTest, APathLongerThanMaxFileSizeIsRefusedWhole) {
  dialog.SetMaxFileSize(8);
  answer.names = {QStringLiteral("a.mdb")};
  answer.Arm();
  try {
    dialog.ShowOpen();
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), dialog_error::kBufferTooSmall);
  }
  EXPECT_EQ(dialog.FileName(), u"before");
}

}  // namespace
}  // namespace korvane::ui
