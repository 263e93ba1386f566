#include "stepping/keypad.h"

namespace velmar {

void Keypad::opened(int code, const std::string& reference, const std::string& caption) {
  dates_.setPendingField(code);
  target_ = code;
  reference_ = reference;
  caption_ = caption;
  entry_.clear();
  shown_ = true;
  changed_();
}

bool Keypad::openFor(Field f) {
  const FieldInfo& info = fieldInfo(f);
  if (info.keypadCode == 0) return false;
  opened(info.keypadCode, form_.text(f), info.keypadCaption);
  return true;
}

void Keypad::openForTimePad() {
  opened(kTimePadChangeCode, pad_.changeText(), kTimePadChangeCaption);
}

void Keypad::digit(int d) {
  if (d < 0 || d > 9) return;
  entry_ += static_cast<char>('0' + d);
  changed_();
}

void Keypad::allClear() {
  if (entry_.empty()) return;
  entry_.clear();
  changed_();
}

void Keypad::backspace() {
  if (entry_.empty()) return;
  entry_.pop_back();
  changed_();
}

void Keypad::ok() {
  // The field the keypad was opened for, not whatever pendingField holds by
  // now: a tick, a time pad press or a typed entry may have consumed or
  // replaced the code meanwhile, and the entry would be lost. The code is
  // set again so that the field's rule calculates once.
  const std::string text = entry_;
  shown_ = false;
  if (target_ == kTimePadChangeCode) {
    pad_.setChangeText(text);
    form_.setText(Field::ChangeAmount, text);
  } else if (target_ != 0) {
    const Field f = static_cast<Field>(target_);
    dates_.setPendingField(target_);
    form_.setText(f, text);
  }
  changed_();
}

void Keypad::dismiss() {
  if (!shown_) return;
  shown_ = false;
  if (dates_.pendingField() == target_) dates_.setPendingField(kNoPendingField);
  changed_();
}

}  // namespace velmar
