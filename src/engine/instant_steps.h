#pragma once
// An instant that a search steps on values: the six date/time values as the
// fields would hold them after every write and its carry rules, delta T as
// the automatic rule would leave it, and the reduced calculation after each
// step. Nothing is written to the form until the search hands its end back
// (writeTo).
#include <array>

#include "astro/calculation.h"
#include "engine/fields.h"
#include "engine/form.h"

namespace velmar {

class Calculator;

class InstantSteps {
 public:
  // Starts from what the form and the calculator hold now.
  InstantSteps(const FormModel& form, const Calculator& calc);

  // Adds `delta` to a field, through its carry rules, and calculates. False
  // when the stage has run out of steps or the step did not move the Julian
  // Day (the fields left the calendar's range): the search is over.
  bool step(Field f, double delta, int& budget);

  const astro::Reduced& last() const { return last_; }
  double phase() const { return phase_; }
  double fraction() const { return fraction_; }
  double value(Field f) const { return values_[index(f)]; }
  unsigned long long steps() const { return steps_; }

  // Hands the search's end to the form: delta T and the Julian Day as the
  // steps left them, the last reduced result and, with `withInstant`, the
  // six fields (those the steps moved). A search that gives up leaves the
  // fields, and then writes its start back through the form itself.
  void writeTo(FormModel& form, Calculator& calc, bool withInstant) const;

  // The store the carry rules work on.
  struct Store;

 private:
  static size_t index(Field f);

  std::array<double, 6> values_{};
  std::array<bool, 6> moved_{};
  InstantTexts startTexts_;
  bool autoDeltaT_ = false;
  double deltaT_ = 0;
  bool deltaTWritten_ = false;
  bool julianDayWritten_ = false;
  astro::Reduced last_;
  double phase_ = 0, fraction_ = 0;
  unsigned long long steps_ = 0;
};

}  // namespace velmar
