#include "message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "qt_text.h"

namespace korvane::ui {

MessageAnswer ShowMessageBox(QWidget* owner, const Text& text, const Text& title,
                             MessageButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::NoButton,
                  owner);
  // Plain text: a file name in a message must never be read as markup.
  box.setTextFormat(Qt::PlainText);
  if (buttons == MessageButtons::kOk) {
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::kOk;
  }
  QPushButton* yes = box.addButton(QMessageBox::Yes);
  QPushButton* no = box.addButton(QMessageBox::No);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace korvane::ui
