#include "stepping/time_pad.h"

#include "engine/numtext.h"

namespace velmar {

namespace {

constexpr Field kLabelFields[] = {Field::Year, Field::Month,  Field::Day,
                                  Field::Hour, Field::Minute, Field::Second};

}  // namespace

// The pending code makes the field's own rule run calc, once, after its
// carries: the press calculates exactly as a keypad entry would.
void TimePad::stepField(Field f, int direction) {
  dates_.setPendingField(code(f));
  form_.setText(f, formatPlain(form_.value(f) + direction));
}

void TimePad::press(PadButton b) {
  switch (b) {
    case PadButton::YearUp:
    case PadButton::YearDown:
    case PadButton::MonthUp:
    case PadButton::MonthDown:
    case PadButton::DayUp:
    case PadButton::DayDown:
    case PadButton::HourUp:
    case PadButton::HourDown:
    case PadButton::MinuteUp:
    case PadButton::MinuteDown:
    case PadButton::SecondUp:
    case PadButton::SecondDown: {
      const int n = static_cast<int>(b) - 1;
      stepField(kLabelFields[n / 2], n % 2 == 0 ? 1 : -1);
      break;
    }
    case PadButton::Now:
      // The second, written last, calculates; when it reads as before,
      // nothing does and the code waits for its next change.
      dates_.setPendingField(code(Field::Second));
      dates_.writePresentMoment();
      break;
    case PadButton::StartOrReverse:
      loop_.startOrReverse();
      break;
    case PadButton::Stop:
      loop_.stop();
      break;
    case PadButton::ChangeUp:
      form_.setText(Field::ChangeAmount, formatPlain(form_.value(Field::ChangeAmount) + 1));
      break;
    case PadButton::ChangeDown:
      form_.setText(Field::ChangeAmount, formatPlain(form_.value(Field::ChangeAmount) - 1));
      break;
    case PadButton::StepUp:
      loop_.stepUp();
      break;
    case PadButton::StepDown:
      loop_.stepDown();
      break;
    case PadButton::Restore:
      dates_.restoreRecordedDate();
      calc_.calc();
      break;
  }
}

void TimePad::labelClicked(int label) {
  if (label < 1 || label > 6) return;
  // The option's own rule sets the loop's target and marks the label.
  form_.selectOption(static_cast<Option>(static_cast<int>(kUnitFrame.first) + label - 1));
}

void TimePad::labelDoubleClicked(int label) {
  if (label < 3 || label > 6) return;
  form_.setText(kLabelFields[label - 1], label == 3 ? "1" : "0");
  calc_.calc();
}

void TimePad::loaded() {
  unitmark();
  setChangeText(form_.text(Field::ChangeAmount));
}

void TimePad::unitmark() {
  int marked = 0;
  for (int i = 1; i <= 6; ++i)
    if (form_.option(static_cast<Option>(static_cast<int>(kUnitFrame.first) + i - 1))) marked = i;
  if (marked == marked_) return;
  marked_ = marked;
  changed_();
}

void TimePad::setChangeText(const std::string& text) {
  if (text == change_) return;
  change_ = text;
  changed_();
  form_.setText(Field::ChangeAmount, change_);
}

void TimePad::changeAmountChanged() { setChangeText(form_.text(Field::ChangeAmount)); }

}  // namespace velmar
