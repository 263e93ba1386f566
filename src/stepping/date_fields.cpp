#include "stepping/date_fields.h"

#include <cmath>
#include <limits>
#include <utility>

#include "engine/carry_rules.h"
#include "engine/numtext.h"
#include "engine/program.h"

namespace velmar {

namespace {

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
    {Field::Year, "年", 1e14},  {Field::Month, "月", 24000},   {Field::Day, "日", 60000},
    {Field::Hour, "時", 48000}, {Field::Minute, "分", 120000}, {Field::Second, "秒", 120000},
};

const CarryBound* boundOf(Field f) {
  for (const CarryBound& b : kBounds)
    if (b.field == f) return &b;
  return nullptr;
}

}  // namespace

// The form's fields as the carry rules' store: a write is the field's text,
// and the form runs the written field's rule through fieldChanged.
struct DateFields::FormStore {
  FormModel& form;
  double value(Field f) const { return form.value(f); }
  void write(Field f, double x) { form.setText(f, formatPlain(x)); }
  void fillEmpty(Field f) {
    if (form.text(f).empty()) form.setText(f, "0");
  }
};

DateFields::DateFields(FormModel& form, Calculator& calc, UiPort& ui, ClockPort& clock)
    : form_(form), calc_(calc), ui_(ui), clock_(clock) {
  for (const CarryBound& b : kBounds) accepted_[static_cast<int>(b.field)] = form_.text(b.field);
}

void DateFields::setNumber(Field f, double x) { form_.setText(f, formatPlain(x)); }

bool DateFields::fieldChanged(Field f) {
  const int code = static_cast<int>(f);
  if (fieldInfo(f).correction == Correction::None) return false;
  // Carries move a field towards its range and the next unit by one, so
  // only a value from outside the cascade can be too large.
  const bool outermost = depth_ == 0;
  if (outermost && !restoring_ && refused(f)) return true;

  ++depth_;
  if (f == Field::DeltaT) {
    deltaTRule();
  } else {
    FormStore store{form_};
    CarryRules<FormStore>::apply(store, f);
  }
  if (pendingField_ == code && !form_.programWriting()) {
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
  ui_.message(kTitleText,
              std::string(b->label) + "には -" + limit + " から " + limit +
                  " までの数値を入力してください。入力前の値に戻します。",
              Tone::Warning);
  restoring_ = true;
  form_.setText(f, accepted_[static_cast<int>(f)]);
  restoring_ = false;
  return true;
}


void DateFields::deltaTRule() {
  if (form_.value(Field::DeltaT) < 1) form_.setText(Field::DeltaT, "0");
}

bool DateFields::spin(Field f, int direction) {
  const SpinnerInfo& info = fieldInfo(f).spinner;
  if (!info.name) return false;
  const double step = direction > 0 ? 1 : -1;
  double target = std::nearbyint(form_.value(f)) + step;
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
  if (text == form_.text(f)) return false;
  form_.setText(f, text);
  if (info.calculates) calc_.calc();
  return true;
}

void DateFields::writeDate(const CivilTime& c) {
  form_.setText(Field::Year, formatInt(c.year));
  form_.setText(Field::Month, formatInt(c.month));
  form_.setText(Field::Day, formatInt(c.day));
}

// Every entered time is read as JST, so the present moment must be JST too,
// whatever the machine's own time zone.
void DateFields::writePresentMoment() {
  const CivilTime c = toJst(clock_.now());
  writeInstant(form_, {formatInt(c.year), formatInt(c.month), formatInt(c.day), formatInt(c.hour),
                       formatInt(c.minute), formatInt(c.second)});
}

void DateFields::setToNow() {
  writePresentMoment();
  calc_.readDateAndTime();
  calc_.calc();
}

void DateFields::setToToday() {
  writeDate(toJst(clock_.now()));
  calc_.readDateAndTime();
  calc_.calc();
}

void DateFields::adjust() {
  form_.setText(Field::Minute, "0");
  form_.setText(Field::Second, "0");
  calc_.readDateAndTime();
  calc_.calc();
}

void DateFields::recordDate() {
  const astro::TimeTerms& rec = calc_.result().time;
  recorded_.year = rec.year;
  recorded_.month = rec.month;
  recorded_.day = rec.day;
  recorded_.hour = rec.hour;
  recorded_.minute = rec.minute;
  // The fields' rules keep the second inside a minute; the clamp only
  // guards the conversion against text that never reached them.
  const double second = std::nearbyint(rec.second);
  recorded_.second = static_cast<int16_t>(std::fmin(
      std::fmax(second, std::numeric_limits<int16_t>::min()), std::numeric_limits<int16_t>::max()));
}

// Year first, month next: a recorded month of 13 or 14 is then carried into
// the year by the month rule.
void DateFields::restoreRecordedDate() {
  FormModel::ProgramWrites restore(form_);
  writeInstant(form_, {formatPlain(recorded_.year), formatPlain(recorded_.month),
                       formatPlain(recorded_.day), formatPlain(recorded_.hour),
                       formatPlain(recorded_.minute), formatInt(recorded_.second)});
}

void DateFields::confirmAndRecord() {
  if (ui_.askYesNo(kRecordTitle, kRecordQuestion)) recordDate();
}

}  // namespace velmar
