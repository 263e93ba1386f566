#include "app/qt/qt_ports.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace velmar {

namespace {

// The core's messages break lines with CR, as its files do.
QString boxText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

}  // namespace

bool QtUi::askYesNo(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title), boxText(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  // The captions in the window's language, whatever translations are installed.
  box.button(QMessageBox::Yes)->setText(QString::fromUtf8("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QString::fromUtf8("いいえ(&N)"));
  return box.exec() == QMessageBox::Yes;
}

void QtUi::message(const std::string& title, const std::string& text, Tone tone) {
  const QMessageBox::Icon icon = tone == Tone::Critical  ? QMessageBox::Critical
                                 : tone == Tone::Warning ? QMessageBox::Warning
                                                         : QMessageBox::Information;
  QMessageBox box(icon, QString::fromStdString(title), boxText(text), QMessageBox::Ok, parent_);
  box.exec();
}

void QtUi::beep() { QApplication::beep(); }

void QtUi::setWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace velmar
