#include "gui/views/view_windows.h"

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

void ViewWindows::openKeypad() {
  if (!keypad_) keypad_ = std::make_unique<KeypadWindow>(main_, host_.hostWindow());
  const int code = main_.keypad().target();
  QPoint at = host_.hostWindow()->frameGeometry().topLeft();
  if (code == kTimePadChangeCode && timePad_ && timePad_->isVisible()) {
    const QWidget* field = timePad_->changeBox();
    const QPoint top = field->mapToGlobal(QPoint(0, 0));
    at = QPoint(timePad_->frameGeometry().left(), top.y() - keypad_->frameHeight());
  } else if (code != 0 && code != kTimePadChangeCode) {
    const Field f = static_cast<Field>(code);
    if (const QWidget* field = host_.fieldWidget(f)) {
      const QPoint top = field->mapToGlobal(QPoint(0, 0));
      const bool above = f == Field::ChangeAmount || f == Field::LoopCount;
      at = QPoint(top.x(), above ? top.y() - keypad_->frameHeight() : top.y() + field->height());
    }
  }
  keypad_->openAt(at);
}

}  // namespace velmar
