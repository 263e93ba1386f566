#include "engine/instant_steps.h"

#include <cmath>

#include "astro/rounding.h"
#include "engine/calculator.h"
#include "engine/carry_rules.h"
#include "engine/constants.h"
#include "engine/numtext.h"

namespace velmar {

namespace {

// What a field reads after the number is written into it as text: the same
// whole number, or the value of its general text.
double asWritten(double x) {
  if (x == std::trunc(x) && std::fabs(x) < 1e15) return x;
  return value(formatPlain(x));
}

}  // namespace

struct InstantSteps::Store {
  InstantSteps& s;
  double value(Field f) const { return s.values_[index(f)]; }
  void write(Field f, double x) {
    const double v = asWritten(x);
    double& slot = s.values_[index(f)];
    // Writing the same text again is no change and runs no rule.
    if (v == slot) return;
    slot = v;
    s.moved_[index(f)] = true;
    CarryRules<Store>::apply(*this, f);
  }
  void fillEmpty(Field) {}
};

size_t InstantSteps::index(Field f) {
  for (size_t i = 0; i < kInstantFields.size(); ++i)
    if (kInstantFields[i] == f) return i;
  return 0;
}

InstantSteps::InstantSteps(const FormModel& form, const Calculator& calc)
    : startTexts_(readInstant(form)),
      autoDeltaT_(form.check(Check::AutoDeltaT) == 1),
      deltaT_(form.value(Field::DeltaT)),
      phase_(form.value(Field::Phase)),
      fraction_(form.value(Field::Illumination)) {
  for (size_t i = 0; i < kInstantFields.size(); ++i) values_[i] = form.value(kInstantFields[i]);
  // The first step follows the calculation the form shows.
  last_.time = calc.result().time;
}

bool InstantSteps::step(Field f, double delta, int& budget) {
  if (budget-- <= 0) return false;
  Store store{*this};
  store.write(f, store.value(f) + delta);
  astro::ClockInput in;
  in.year = value(Field::Year);
  in.month = value(Field::Month);
  in.day = value(Field::Day);
  in.hour = value(Field::Hour);
  in.minute = value(Field::Minute);
  in.second = value(Field::Second);
  // The automatic delta T follows the year as every reading of the fields
  // would; its field reads a whole number of seconds.
  if (autoDeltaT_) {
    if (const auto dt = automaticDeltaT(in.year)) {
      deltaT_ = astro::shownWithDecimals(*dt, displayMask(Field::DeltaT).decimals);
      deltaTWritten_ = true;
    }
  }
  in.deltaT = deltaT_;
  ++steps_;
  const astro::Shown before = last_.time.julianDay;
  last_ = astro::calculateReduced(in, last_.time);
  phase_ = last_.phase.shown;
  fraction_ = last_.illumination.shown;
  // The Julian Day moves with a date that is one: the first step is
  // compared with what the form shows, each later one with the step before.
  const bool moved =
      last_.time.dateValid && last_.time.julianDay.shown != before.shown;
  if (last_.time.dateValid) julianDayWritten_ = true;
  return moved;
}

void InstantSteps::writeTo(FormModel& form, Calculator& calc, bool withInstant) const {
  calc.countReducedRuns(steps_);
  if (steps_ == 0) return;
  if (deltaTWritten_) form.setFixed(Field::DeltaT, deltaT_, displayMask(Field::DeltaT));
  // The Julian Day field shows the last date that was one.
  if (julianDayWritten_) form.setText(Field::JulianDay, formatGeneral(last_.time.julianDay.value));
  calc.showReduced(last_);
  if (!withInstant) return;
  InstantTexts texts = startTexts_;
  for (size_t i = 0; i < kInstantFields.size(); ++i)
    if (moved_[i]) texts[i] = formatPlain(values_[i]);
  writeInstant(form, texts);
}

}  // namespace velmar
