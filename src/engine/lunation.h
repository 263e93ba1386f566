#pragma once
// Moon age and the new-moon and full-moon searches. They move the date/time
// fields one unit at a time, recalculate only the phase after every step and
// compare the phase angle and the illuminated fraction as displayed.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/ports.h"

namespace velmar {

// What a search shows while it runs: the phase picture and the fields it has
// just moved. The window implements it; headless runs leave it out.
class SearchProgress {
 public:
  virtual ~SearchProgress() = default;
  virtual void redrawPhase() = 0;
  // Repaints the given fields now, inside the running search.
  virtual void repaintFields(std::initializer_list<Field> fields) = 0;
};

class Lunation {
 public:
  Lunation(FormModel& form, Calculator& calc, UiPort& ui) : form_(form), calc_(calc), ui_(ui) {}

  void setProgress(SearchProgress* p) { progress_ = p; }

  // Finds the new moon before the last calculated instant, makes it the
  // reference date and shows the moon age; the fields are put back.
  void agecalc();
  // Moves the fields to the new moon before the entered instant.
  void newmcheck();
  // Moves the fields to the full moon of the current lunation.
  void fullcheck();
  // One calendar month on or back, then the full moon from there.
  void nextfull();
  void backfull();
  // The current Julian Day as reference date; automatic rebasing off.
  void setbt();
  // No reference date; automatic rebasing off.
  void waste();

  // The moon-age refresh inside every calc, after the reference difference:
  // with automatic rebasing on, moves the reference past a new moon.
  void rebase();
  // Check1 click rule: ticking it finds the reference at once.
  void check1Clicked();

  bool searching() const { return searching_; }

 private:
  using Instant = InstantTexts;

  // Adds `delta` to a date/time field (through its carry rules) and runs
  // calcn. False when the step did not move the Julian Day (the fields left
  // the calendar's range) or the stage ran out of steps: the search is over.
  bool step(Field f, double delta, int& budget);
  void redraw();
  void repaint(std::initializer_list<Field> fields);
  // Back to `start`, recalculated (all of it when `full`), then the box.
  void searchFailed(const Instant& start, bool full);

  double phaseShown() const { return form_.value(Field::Phase); }
  double fractionShown() const { return form_.value(Field::Illumination); }

  // Stages. Each returns false when the search must stop.
  bool newMoonDays(bool animate);
  bool newMoonUnit(Field f, double& d, bool redrawProbe, bool animate);
  bool fullMoonDays();
  bool fullMoonUnit(Field f, bool redrawProbe);
  bool seconds(double target, double& d, bool animate);
  // The common frame of the two searches: the wait pointer, the check for
  // an instant already at the target, the final calc and the beep.
  void search(double target, const std::function<bool()>& stages, const Instant* origin = nullptr);
  void fullMoonFrom(const Instant* origin);
  void monthThenFullMoon(int months);

  FormModel& form_;
  Calculator& calc_;
  UiPort& ui_;
  SearchProgress* progress_ = nullptr;
  bool searching_ = false;
  std::string julianDayBefore_;
  std::string stepText_;
};

}  // namespace velmar
