#pragma once
// The calculation driver: one full calculation (calc) and the reduced one the
// searches run (calcn), with their steps. Each step reads the record or the
// displayed fields and writes its results into both.
#include <functional>
#include <optional>
#include <string>

#include "engine/calc_record.h"
#include "engine/form.h"
#include "engine/signal.h"

namespace velmar {

class Calculator {
 public:
  Calculator(FormModel& form, CalcRecord& rec) : form_(form), rec_(rec) {}

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
  // The reduced calculation: Julian Day, Sun and Moon longitude, phase.
  void calcn();
  // How many reduced calculations have run on their own (not as the first
  // steps of calc): what a search costs, counted in steps.
  unsigned long long calcnRuns() const { return calcnRuns_; }

  void ymdcheck();
  void yuriusu();
  void sunyw();
  void sundis();
  void moonyw();
  void moonyh();
  void moondis();
  void phase();
  void moonsekii();
  void moonkoudo();

  // The clear button: empties the result fields, leaves everything else.
  void clearResults();
  // Choosing either mode item inverts both check marks.
  void toggleMode();

  // Set by the site selection.
  void setSite(double latitude, double longitude);

  const CalcRecord& record() const { return rec_; }
  // Whether the last ymdcheck found a date it could turn into a Julian Day.
  bool dateValid() const { return dateValid_; }

 private:
  // Steps 2 to 4 of calc and calcn.
  void timeArguments();
  // The steps calc and calcn share.
  void reduced();
  // Writes a result with the twelve-decimal mask.
  void showResult(Field f, double x);

  static bool sameBits(double a, double b);
  // What the date alone gives, kept while the date stays: yuriusu's part
  // before the time of day, and t0.
  struct DateTerms {
    bool known = false;
    double year = 0, month = 0;
    int16_t day = 0;
    double yearDays = 0;  // Int(year * 365.25)
    double jd0 = 0;
    bool t0Known = false;
    double t0Of = 0, t0 = 0;  // t0 and the jd0 it was formed from
    bool holds(double year, double month, int16_t day) const;
    void remember(double year, double month, int16_t day, double yearDays, double jd0);
  };

  std::string scratch_;
  DateTerms date_;
  bool dateValid_ = true;
  bool viewsHeld_ = false;
  bool viewsDue_ = false;
  unsigned long long calcnRuns_ = 0;
  FormModel& form_;
  CalcRecord& rec_;
};

}  // namespace velmar
