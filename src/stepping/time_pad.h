#pragma once
// The time pad: a remote control for the date/time fields and the
// continuous calculation. It works only through the main window's fields,
// options and commands; its one field of its own, the change field, mirrors
// the change amount (changeAmountField).
#include <string>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/signal.h"
#include "stepping/continuous.h"
#include "stepping/date_fields.h"

namespace velmar {

// The buttons, by their control numbers (timePad.yearUpButton .. timePad.restoreButton).
enum class PadButton : int {
  YearUp = 1,
  YearDown,
  MonthUp,
  MonthDown,
  DayUp,
  DayDown,
  HourUp,
  HourDown,
  MinuteUp,
  MinuteDown,
  SecondUp,
  SecondDown,
  Now,             // "Now"
  StartOrReverse,  // "◆"
  Stop,            // "■"
  ChangeUp,        // the change amount + 1
  ChangeDown,
  StepUp,  // the target field + the change amount, as the main window's ▲
  StepDown,
  Restore,  // "<<": the recorded date and time, then calc
};
inline constexpr int kPadButtonCount = 20;

class TimePad {
 public:
  TimePad(FormModel& form, DateFields& dates, Continuous& loop, Calculator& calc)
      : form_(form), dates_(dates), loop_(loop), calc_(calc) {}
  TimePad(const TimePad&) = delete;
  TimePad& operator=(const TimePad&) = delete;

  void press(PadButton b);
  // timePad.yearsLabel "年" .. timePad.secondsLabel "秒": a click selects that unit for the
  // continuous calculation; a double-click on "日", "時", "分" or "秒" sets
  // the field to its start (1, 0, 0, 0) and calculates.
  void labelClicked(int label);
  void labelDoubleClicked(int label);

  // The window loads: the selected unit is marked and the change field
  // takes the change amount.
  void loaded();
  // Marks the label of the selected unit (1 .. 6; 0 when none is selected).
  void unitmark();
  int markedLabel() const { return marked_; }

  const std::string& changeText() const { return change_; }
  // The pad's change field was written (typed, or by the keypad): the
  // change amount takes the same text. Writing its own text again is no
  // change.
  void setChangeText(const std::string& text);
  // The change amount changed (after its correction): the pad's field
  // takes its text.
  void changeAmountChanged();

  // Told whenever the marked label or the change field changes.
  Signal<>& changed() { return changed_; }

 private:
  void stepField(Field f, int direction);

  FormModel& form_;
  DateFields& dates_;
  Continuous& loop_;
  Calculator& calc_;
  int marked_ = 0;
  std::string change_;
  Signal<> changed_;
};

}  // namespace velmar
