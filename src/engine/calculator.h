#pragma once
// The calculation driver of the main form: reads the date, time and delta T
// fields, computes the calculation as a value (astro/calculation.h) and
// writes what it shows into the result fields. It keeps that value as what
// the result fields show, for everything that draws or records them.
#include <functional>
#include <optional>
#include <string>

#include "astro/calculation.h"
#include "engine/form.h"
#include "engine/signal.h"

namespace velmar {

// The value a result field shows, read from the result; 0 for a field that
// holds no result.
double shownValue(const astro::Calculation& c, Field f);
// The value of an instant field as the calculation read it.
double enteredValue(const astro::Calculation& c, Field f);

class Calculator {
 public:
  explicit Calculator(FormModel& form) : form_(form) {}

  // Steps of calc that belong to other parts of the program. Each runs at its
  // place in calc when set; unset, the step does nothing.
  struct Hooks {
    std::function<void()> rebase;   // automatic new-moon reference
    std::function<void()> outputs;  // data table, graph, export file
    // At the end of calc: whether the date could be turned into a Julian
    // Day (when not, the Julian Day stayed that of the last valid date).
    std::function<void(bool valid)> dateChecked;
  };
  Hooks hooks;
  // The last step of calc: the phase picture, then the open views, each
  // subscribed with its place in that order as its rank.
  Signal<> views;
  // While held, calc leaves the pictures alone; flushing draws them once
  // for the last calculation, if one ran meanwhile.
  void holdViews(bool on);
  void flushViews();

  // One full calculation for the instant in the date/time fields.
  void calc();
  // The reduced calculation (Julian Day, Sun and Moon longitude, phase) for
  // the instant in the fields, shown in their fields.
  void calcReduced();
  // Reduced calculations run on their own (not as the first steps of calc),
  // by calcReduced or by a search on values: what a search costs, in steps.
  unsigned long long reducedRuns() const { return reducedRuns_; }
  void countReducedRuns(unsigned long long n) { reducedRuns_ += n; }

  // Reads the date, time and delta T fields (the automatic delta T writes
  // its field first) and, for a date that is one, shows its Julian Day.
  void readDateAndTime();

  // The values of the date, time and delta T fields, with the automatic
  // delta T applied to the delta T field first, as every calculation reads
  // them.
  astro::ClockInput readClock();
  // Shows a reduced result computed elsewhere (a search's last step).
  void showReduced(const astro::Reduced& r);

  // The clear button: empties the result fields, leaves everything else.
  void clearResults();
  // Choosing either mode item inverts both check marks.
  void toggleMode();

  // Set by the site selection.
  void setSite(double latitude, double longitude);
  const astro::Site& site() const { return site_; }

  // What the result fields show, as values: the last calculation, with the
  // reduced results of any later reduced one and the moon age as its field
  // holds it. Its address stays for the form's life.
  const astro::Calculation& result() const { return current_; }
  // Whether the last reading of the fields found a date it could turn into
  // a Julian Day.
  bool dateValid() const { return current_.time.dateValid; }

 private:
  void showTime(const astro::TimeTerms& t);
  // The reduced results of what the fields show, into their fields.
  void writeReducedFields();
  void show(Field f, const astro::Shown& x);
  // The moon age field's value, or none while it is empty.
  std::optional<double> fieldNumber(Field f) const;

  astro::Calculation current_;
  astro::Site site_{0, 0};
  bool viewsHeld_ = false;
  bool viewsDue_ = false;
  unsigned long long reducedRuns_ = 0;
  FormModel& form_;
};

}  // namespace velmar
