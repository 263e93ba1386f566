#include "gui/views/view_windows.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

namespace velmar {

namespace {

std::optional<View> viewOf(Win w) {
  for (View v : kViews)
    if (winOf(v) == w) return v;
  return std::nullopt;
}

}  // namespace

ViewWindows::ViewWindows(MainForm& main, FieldHost& host) : main_(main), host_(host) {
  // bigsky clears the sky view even before it was ever opened.
  main_.views().load = [this](View v) { make(v); };
}

ViewWindows::~ViewWindows() { main_.views().load = nullptr; }

ViewWindow* ViewWindows::make(View v) {
  std::unique_ptr<ViewWindow>& w = views_[static_cast<size_t>(v)];
  if (!w) {
    if (v == View::Sky) {
      w = std::make_unique<SkyWindow>(main_);
    } else {
      w = std::make_unique<PaintedViewWindow>(main_, v);
    }
  }
  return w.get();
}

TimePadWindow* ViewWindows::makeTimePad() {
  if (!timePad_) {
    timePad_ = std::make_unique<TimePadWindow>(main_);
    timePad_->onChangeDoubleClicked = [this] {
      // The pad never takes the keyboard: what is typed now must not land
      // in whichever main-window field had it (the field keeps its entry).
      if (QWidget* typing = host_.hostWindow()->focusWidget()) typing->clearFocus();
      main_.keypad().openForTimePad();
      openKeypad();
    };
  }
  return timePad_.get();
}

bool ViewWindows::open(Win w) {
  if (const std::optional<View> v = viewOf(w)) {
    make(*v)->open();
    return true;
  }
  if (w == Win::TimePad) {
    makeTimePad()->open();
    return true;
  }
  if (w == Win::Keypad) {
    openKeypad();
    return true;
  }
  return false;
}

QWidget* ViewWindows::existing(Win w) {
  if (const std::optional<View> v = viewOf(w)) return view(*v);
  if (w == Win::TimePad) return timePad_.get();
  if (w == Win::Keypad) return keypad_.get();
  return nullptr;
}

namespace {

// Beside `besideOf` (global frame), right of it where the screen has room,
// else left of it, top edges level: the keypad covers none of the fields
// the user needs next.
QPoint besideOf(const QRect& group, const QWidget& keypad, int frameWidth) {
  const QScreen* s = QGuiApplication::screenAt(group.center());
  const QRect area = s ? s->availableGeometry() : QRect();
  const int width = keypad.width() + frameWidth;
  if (s && group.right() + 4 + width > area.right() && group.left() - 4 - width >= area.left())
    return QPoint(group.left() - 4 - width, group.top());
  return QPoint(group.right() + 4, group.top());
}

}  // namespace

void ViewWindows::openKeypad() {
  if (!keypad_) keypad_ = std::make_unique<KeypadWindow>(main_, host_.hostWindow());
  const int code = main_.keypad().target();
  const int frameWidth = 12;  // the borders the window system adds
  QPoint at = host_.hostWindow()->frameGeometry().topLeft();
  if (code == kTimePadChangeCode && timePad_ && timePad_->isVisible()) {
    at = besideOf(timePad_->frameGeometry(), *keypad_, frameWidth);
  } else if (code != 0 && code != kTimePadChangeCode) {
    const Field f = static_cast<Field>(code);
    if (QWidget* field = host_.fieldWidget(f)) {
      // The frame of fields the field belongs to (date and time, loop).
      QWidget* group = field;
      for (QWidget* w = field->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (qobject_cast<QGroupBox*>(w)) {
          group = w;
          break;
        }
      at = besideOf(QRect(group->mapToGlobal(QPoint(0, 0)), group->size()), *keypad_, frameWidth);
    }
  }
  keypad_->openAt(at);
}

}  // namespace velmar
