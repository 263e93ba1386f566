#include "gui/stepping/keypad_window.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "app/keypad_keys.h"
#include "gui/common/command_controls.h"
#include "gui/common/twips.h"

namespace velmar {

KeypadWindow::KeypadWindow(MainForm& main, QWidget* mainWindow)
    : ToolWindow(main.placements(), Win::Keypad, Stacking::OnTop),
      main_(main),
      mainWindow_(mainWindow) {
  setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  titleWhole_ = true;
  setTitle(main_.keypad().caption());
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(2);
  reference_ = new QLineEdit;
  reference_->setObjectName("keypad.referenceField");
  entry_ = new QLineEdit;
  entry_->setObjectName("keypad.entryField");
  for (QLineEdit* box : {reference_, entry_}) {
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
  }
  grid->addWidget(reference_, 0, 0, 1, 3);
  grid->addWidget(entry_, 1, 0, 1, 3);
  // Digits as on a calculator: 7 8 9 at the top, 0 at the bottom.
  const char* rows[4][3] = {
      {"keypad.digit7Button", "keypad.digit8Button", "keypad.digit9Button"},
      {"keypad.digit4Button", "keypad.digit5Button", "keypad.digit6Button"},
      {"keypad.digit1Button", "keypad.digit2Button", "keypad.digit3Button"},
      {"keypad.digit0Button", "keypad.backspaceButton", "keypad.clearButton"}};
  CommandBinder binder(CommandActions::of(main_, this), false);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) {
      QPushButton* b = binder.button(rows[r][c], this);
      b->setFocusPolicy(Qt::NoFocus);
      b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
      grid->addWidget(b, r + 2, c);
    }
  QPushButton* ok = binder.button("keypad.okButton", this);
  ok->setFocusPolicy(Qt::NoFocus);
  ok->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  grid->addWidget(ok, 6, 0, 1, 3);
  for (int r = 2; r <= 6; ++r) grid->setRowStretch(r, 1);

  resize(Twips::of(this).toPixels(2112, 2700).expandedTo(minimumSizeHint()));
  changes_ =
      Connection(main_.keypad().changed(), main_.keypad().changed().connect([this] { refresh(); }));
  refresh();
}

bool KeypadWindow::takeKey(Keypad& keypad, const QKeyEvent* e) {
  if (e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
  switch (e->key()) {
    case Qt::Key_Backspace:
      return typeOnKeypad(keypad, PadKey::Backspace);
    case Qt::Key_Delete:
      return typeOnKeypad(keypad, PadKey::Clear);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return typeOnKeypad(keypad, PadKey::Ok);
    case Qt::Key_Escape:
      return typeOnKeypad(keypad, PadKey::Close);
    default:
      break;
  }
  // Full-width digits too, as a Japanese input method types them.
  const QString text = e->text();
  if (text.size() == 1 && text[0].isDigit())
    return typeOnKeypad(keypad, PadKey::Digit, text[0].digitValue());
  return false;
}

bool KeypadWindow::event(QEvent* e) {
  // Always on top, the keypad would cover the buttons of a box that asks
  // something (はい at 1024 x 600) and cannot be used while the box is up:
  // it steps aside until the box closes.
  if (e->type() == QEvent::WindowBlocked && isVisible()) {
    hiddenForBox_ = true;
    hide();
  } else if (e->type() == QEvent::WindowUnblocked && hiddenForBox_) {
    hiddenForBox_ = false;
    if (main_.keypad().shown()) show();
  }
  return ToolWindow::event(e);
}

void KeypadWindow::refresh() {
  const Keypad& k = main_.keypad();
  reference_->setText(QString::fromStdString(k.reference()));
  entry_->setText(QString::fromStdString(k.entry()));
  setTitle(k.caption());
  // The title reads whole (not "ル... カ").
  const int least = usableMinimum().width();
  if (width() < least) resize(least, height());
  if (!k.shown()) hiddenForBox_ = false;
  if (!k.shown() && isVisible()) {
    // "OK" done: the keypad steps aside and the main window has the keys.
    hide();
    if (mainWindow_) mainWindow_->activateWindow();
  }
}

void KeypadWindow::closeEvent(QCloseEvent* e) {
  // Closed by the user, without "OK".
  main_.keypad().dismiss();
  ToolWindow::closeEvent(e);
}

int KeypadWindow::frameHeight() const {
  // Before it was ever shown the frame is not known: the title bar is
  // about as high as a field.
  const int frame = frameGeometry().height() - height();
  return height() + (frame > 0 ? frame : 24);
}

void KeypadWindow::openAt(QPoint topLeft) {
  QScreen* s = QGuiApplication::screenAt(topLeft);
  if (!s) s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (s) {
    const QRect area = s->availableGeometry();
    const QSize size(width(), frameHeight());
    topLeft.setX(
        std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    topLeft.setY(
        std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
  }
  move(topLeft);
  open();
}

}  // namespace velmar
