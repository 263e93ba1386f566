#pragma once
// The six date/time fields and delta T: the rules that carry an overshooting
// field into the next larger unit (or borrow from it), the spinners, the
// buttons that take the present moment, and the recorded date and time.
//
// Every part of the program moves the instant by writing these fields one at
// a time and relies on the rules to put them right, so the rules run on every
// change, whoever writes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/ports.h"

namespace velmar {

// Codes that pendingField holds: the field's number for the fields with a
// change rule (1 year, 2 month, 3 day, 7 hour, 8 minute, 9 second, 12 delta T).
// The keypad also routes 17 (change amount), 18 (loop count) and 20 (the
// time pad's change field) through it; no rule here consumes those.
inline constexpr int kNoPendingField = 0;

// The date and time that recordDate records and restoreRecordedDate
// restores. Year and month as the Julian Day formula holds them: January and February are months 13 and
// 14 of the year before.
struct RecordedDateTime {
  double year = 0;
  double month = 0;
  double day = 0;
  double hour = 0;
  double minute = 0;
  int16_t second = 0;
};

// The confirmation asked before the recorded date and time are overwritten.
inline constexpr const char* kRecordTitle = "確認";
inline constexpr const char* kRecordQuestion =
    "現在の年月日時分秒を記録します\r\r"
    "すでに記録されていた日時が上書されます\r\r"
    "記録を実行しますか？";

class DateFields {
 public:
  DateFields(FormModel& form, Calculator& calc, UiPort& ui, ClockPort& clock);
  DateFields(const DateFields&) = delete;
  DateFields& operator=(const DateFields&) = delete;

  // The change rule of a field. False when the field has no rule here, so
  // that the caller can offer it to another component.
  bool fieldChanged(Field f);

  // The code of the field whose next change runs calc once (keypad, time pad).
  int pendingField() const { return pendingField_; }
  void setPendingField(int code) { pendingField_ = code; }

  // One press of the field's spinner, direction +1 (up) or -1 (down). The
  // field moves by one within the spinner's limits and its rule applies; for
  // the date, time and delta T spinners calc follows. False when the press
  // changed nothing (at a limit, or no spinner), and then nothing is
  // calculated.
  bool spin(Field f, int direction);

  // nowButton: the present moment (JST) in all six fields, then calc.
  void setToNow();
  // todayButton: today's date (JST); the clock time stays. Then calc.
  void setToToday();
  // adjustButton: the full hour; minute and second become 0. Then calc.
  void adjust();
  // The present moment in the six fields, nothing calculated (startup).
  void writePresentMoment();

  // Records the instant of the last calculation.
  void recordDate();
  // Writes the recorded instant back into the six fields; calculates
  // nothing.
  void restoreRecordedDate();
  // recordDate, after asking: asks first; any answer but No records.
  void confirmAndRecord();
  const RecordedDateTime& recorded() const { return recorded_; }

 private:
  void setNumber(Field f, double x);
  struct FormStore;
  void deltaTRule();
  // Gives the field its previous text back when its value is too far out to
  // carry; true when it did.
  bool refused(Field f);
  void writeDate(const CivilTime& c);

  FormModel& form_;
  Calculator& calc_;
  UiPort& ui_;
  ClockPort& clock_;
  int pendingField_ = kNoPendingField;
  RecordedDateTime recorded_;
  // How deep the rules of these fields are nested inside each other.
  int depth_ = 0;
  // A pending field changed inside the cascade; calc waits for its end.
  bool calcDue_ = false;
  bool restoring_ = false;
  // Each field's text as its rule last left it: what a refused value is
  // replaced with.
  std::array<std::string, kFieldCount> accepted_;
};

}  // namespace velmar
