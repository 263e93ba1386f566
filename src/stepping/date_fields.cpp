#include "stepping/date_fields.h"

#include <cmath>
#include <limits>
#include <utility>

#include "engine/numtext.h"

namespace velmar {

namespace {

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr std::array<SpinnerInfo, kSpinnerCount> kSpinners = {{
    {Spinner::UpDown1, "UpDown1", Field::Text1, 1584, 30000, true},
    {Spinner::UpDown2, "UpDown2", Field::Text2, 0, 13, true},
    {Spinner::UpDown3, "UpDown3", Field::Text3, 0, 32, true},
    {Spinner::UpDown4, "UpDown4", Field::Text7, -1, 24, true},
    {Spinner::UpDown5, "UpDown5", Field::Text8, -1, 60, true},
    {Spinner::UpDown6, "UpDown6", Field::Text9, -1, 60, true},
    {Spinner::UpDown7, "UpDown7", Field::Text17, 1, 3600, false},
    {Spinner::UpDown8, "UpDown8", Field::Text18, 2, 365, false},
    {Spinner::UpDown9, "UpDown9", Field::Text12, 0, 100, true},
}};

// How far out a value may lie and still be carried. Each unit carried nests
// one more rule call (a day of 60000 walks some 2000 months), about 250
// bytes of stack each, so these keep the cascade near 2000 calls deep. The
// year never carries itself; its bound keeps year + 1 exact and free of an
// exponent.
struct CarryBound {
  Field field;
  const char* label;
  double bound;
};
constexpr CarryBound kBounds[] = {
    {Field::Text1, "年", 1e14},    {Field::Text2, "月", 24000},
    {Field::Text3, "日", 60000},   {Field::Text7, "時", 48000},
    {Field::Text8, "分", 120000},  {Field::Text9, "秒", 120000},
};

const CarryBound* boundOf(Field f) {
  for (const CarryBound& b : kBounds)
    if (b.field == f) return &b;
  return nullptr;
}

}  // namespace

bool isLeapYear(double year) { return std::fmod(std::nearbyint(year), 4.0) == 0; }

int monthLength(double month, bool leap) {
  const double m = std::nearbyint(month);
  if (!(m >= 1 && m <= 12)) return 0;
  const int i = static_cast<int>(m);
  return i == 2 && leap ? 29 : kMonthDays[i - 1];
}

const SpinnerInfo& spinnerInfo(Spinner s) { return kSpinners[static_cast<int>(s) - 1]; }

std::optional<Spinner> findSpinner(std::string_view name) {
  for (const SpinnerInfo& s : kSpinners)
    if (name == s.name) return s.id;
  return std::nullopt;
}

DateFields::DateFields(FormModel& form, Calculator& calc, UiPort& ui, ClockPort& clock,
                       std::string title)
    : form_(form), calc_(calc), ui_(ui), clock_(clock), title_(std::move(title)) {
  for (const CarryBound& b : kBounds) accepted_[static_cast<int>(b.field)] = form_.text(b.field);
}

void DateFields::setNumber(Field f, double x) { form_.setText(f, formatPlain(x)); }

bool DateFields::fieldChanged(Field f) {
  const int code = static_cast<int>(f);
  switch (f) {
    case Field::Text1: case Field::Text2: case Field::Text3:
    case Field::Text7: case Field::Text8: case Field::Text9: case Field::Text12:
      break;
    default:
      return false;
  }
  // Carries move a field towards its range and the next unit by one, so
  // only a value from outside the cascade can be too large.
  const bool outermost = depth_ == 0;
  if (outermost && !restoring_ && refused(f)) return true;

  ++depth_;
  switch (f) {
    case Field::Text1: yearRule(); break;
    case Field::Text2: monthRule(); break;
    case Field::Text3: dayRule(); break;
    case Field::Text7: hourRule(); break;
    case Field::Text8: minuteRule(); break;
    case Field::Text9: secondRule(); break;
    default: deltaTRule(); break;
  }
  if (pendingField_ == code) {
    pendingField_ = kNoPendingField;
    calcDue_ = true;
  }
  --depth_;
  accepted_[code] = form_.text(f);

  // The entry's one calculation waits until the whole cascade is done: a
  // second carried from 60 changes the second before the minute, and the
  // calculation must see the minute moved too.
  if (outermost && calcDue_) {
    calcDue_ = false;
    calc_.calc();
  }
  return true;
}

bool DateFields::refused(Field f) {
  const CarryBound* b = boundOf(f);
  if (!b) return false;
  const double v = form_.value(f);
  if (std::fabs(v) <= b->bound) return false;
  const std::string limit = formatPlain(b->bound);
  ui_.message(title_, std::string(b->label) + "には -" + limit + " から " + limit +
                          " までの数値を入力してください。入力前の値に戻します。");
  restoring_ = true;
  form_.setText(f, accepted_[static_cast<int>(f)]);
  restoring_ = false;
  return true;
}

void DateFields::yearRule() {
  if (!isLeapYear(form_.value(Field::Text1)) && form_.value(Field::Text2) == 2 &&
      form_.value(Field::Text3) == 29) {
    form_.setText(Field::Text2, "3");
    form_.setText(Field::Text3, "1");
  }
}

// The upper tests ask whether a value has reached the next unit (13 months,
// 60 minutes), not whether it exceeds the last whole one: a typed 12.5
// would otherwise be carried to 0.5, borrowed back to 12.5, and so on.
void DateFields::monthRule() {
  if (form_.value(Field::Text2) >= 13) {
    setNumber(Field::Text2, form_.value(Field::Text2) - 12);
    setNumber(Field::Text1, form_.value(Field::Text1) + 1);
  }
  if (form_.value(Field::Text2) < 1) {
    setNumber(Field::Text2, form_.value(Field::Text2) + 12);
    setNumber(Field::Text1, form_.value(Field::Text1) - 1);
  }
}

void DateFields::dayRule() {
  // Both lengths use the leap flag of the year as the rule found it; a carry
  // through December changes the year, but neither December nor January
  // depends on it.
  const bool leap = isLeapYear(form_.value(Field::Text1));
  const int n = monthLength(form_.value(Field::Text2), leap);
  if (form_.value(Field::Text3) >= n + 1) {
    setNumber(Field::Text2, form_.value(Field::Text2) + 1);
    setNumber(Field::Text3, form_.value(Field::Text3) - n);
  }
  if (form_.value(Field::Text3) < 1) {
    setNumber(Field::Text2, form_.value(Field::Text2) - 1);
    setNumber(Field::Text3,
              form_.value(Field::Text3) + monthLength(form_.value(Field::Text2), leap));
  }
}

void DateFields::hourRule() {
  if (form_.value(Field::Text7) >= 24) {
    setNumber(Field::Text3, form_.value(Field::Text3) + 1);
    setNumber(Field::Text7, form_.value(Field::Text7) - 24);
  }
  if (form_.value(Field::Text7) < 0) {
    setNumber(Field::Text7, form_.value(Field::Text7) + 24);
    setNumber(Field::Text3, form_.value(Field::Text3) - 1);
  }
  if (form_.text(Field::Text7).empty()) form_.setText(Field::Text7, "0");
}

void DateFields::minuteRule() {
  if (form_.value(Field::Text8) >= 60) {
    setNumber(Field::Text8, form_.value(Field::Text8) - 60);
    setNumber(Field::Text7, form_.value(Field::Text7) + 1);
  }
  if (form_.value(Field::Text8) < 0) {
    setNumber(Field::Text8, form_.value(Field::Text8) + 60);
    setNumber(Field::Text7, form_.value(Field::Text7) - 1);
  }
  if (form_.text(Field::Text8).empty()) form_.setText(Field::Text8, "0");
}

void DateFields::secondRule() {
  if (form_.value(Field::Text9) < 0) {
    setNumber(Field::Text8, form_.value(Field::Text8) - 1);
    setNumber(Field::Text9, form_.value(Field::Text9) + 60);
  }
  if (form_.value(Field::Text9) >= 60) {
    setNumber(Field::Text9, form_.value(Field::Text9) - 60);
    setNumber(Field::Text8, form_.value(Field::Text8) + 1);
  }
  if (form_.text(Field::Text9).empty()) form_.setText(Field::Text9, "0");
}

void DateFields::deltaTRule() {
  if (form_.value(Field::Text12) < 1) form_.setText(Field::Text12, "0");
}

bool DateFields::spin(Spinner s, int direction) {
  const SpinnerInfo& info = spinnerInfo(s);
  const double step = direction > 0 ? 1 : -1;
  double target = std::nearbyint(form_.value(info.field)) + step;
  // From outside the limits a press towards them lands on the near limit;
  // a press away from them does nothing.
  if (target > info.highest) {
    if (step > 0) return false;
    target = info.highest;
  }
  if (target < info.lowest) {
    if (step < 0) return false;
    target = info.lowest;
  }
  const std::string text = formatInt(static_cast<long long>(target));
  if (text == form_.text(info.field)) return false;
  form_.setText(info.field, text);
  if (info.calculates) calc_.calc();
  return true;
}

void DateFields::writeDate(const CivilTime& c) {
  form_.setText(Field::Text1, formatInt(c.year));
  form_.setText(Field::Text2, formatInt(c.month));
  form_.setText(Field::Text3, formatInt(c.day));
}

void DateFields::writeTime(const CivilTime& c) {
  form_.setText(Field::Text7, formatInt(c.hour));
  form_.setText(Field::Text8, formatInt(c.minute));
  form_.setText(Field::Text9, formatInt(c.second));
}

// Every entered time is read as JST, so the present moment must be JST too,
// whatever the machine's own time zone.
void DateFields::writePresentMoment() {
  const CivilTime now = toJst(clock_.now());
  writeDate(now);
  writeTime(now);
}

void DateFields::setToNow() {
  writePresentMoment();
  calc_.ymdcheck();
  calc_.calc();
}

void DateFields::setToToday() {
  writeDate(toJst(clock_.now()));
  calc_.ymdcheck();
  calc_.calc();
}

void DateFields::adjust() {
  form_.setText(Field::Text8, "0");
  form_.setText(Field::Text9, "0");
  calc_.ymdcheck();
  calc_.calc();
}

void DateFields::datemem() {
  const CalcRecord& rec = calc_.record();
  recorded_.year = rec.year;
  recorded_.month = rec.month;
  recorded_.day = rec.day;
  recorded_.hour = rec.hour;
  recorded_.minute = rec.minute;
  // The fields' rules keep the second inside a minute; the clamp only
  // guards the conversion against text that never reached them.
  const double second = std::nearbyint(rec.second);
  recorded_.second = static_cast<int16_t>(
      std::fmin(std::fmax(second, std::numeric_limits<int16_t>::min()),
                std::numeric_limits<int16_t>::max()));
}

// Year first, month next: a recorded month of 13 or 14 is then carried into
// the year by the month rule.
void DateFields::dateremem() {
  setNumber(Field::Text1, recorded_.year);
  setNumber(Field::Text2, recorded_.month);
  setNumber(Field::Text3, recorded_.day);
  setNumber(Field::Text7, recorded_.hour);
  setNumber(Field::Text8, recorded_.minute);
  form_.setText(Field::Text9, formatInt(recorded_.second));
}

void DateFields::confirmAndRecord() {
  if (ui_.askYesNo(kRecordTitle, kRecordQuestion)) datemem();
}

}  // namespace velmar
