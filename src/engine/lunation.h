#pragma once
// Moon age and the new-moon and full-moon searches. They step the instant
// one unit at a time on values (engine/instant_steps.h), recalculate only
// the phase after every step and compare the phase angle and the
// illuminated fraction as their fields show them; the fields are written
// once, at the end.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/instant_steps.h"
#include "engine/ports.h"

namespace velmar {

// What a search shows while it runs: the phase picture and the fields it has
// just moved, from the step's values (the form's fields are written at the
// end). The window implements it; headless runs leave it out.
class SearchProgress {
 public:
  virtual ~SearchProgress() = default;
  // The phase picture of the step just calculated, now.
  virtual void redrawPhase(const astro::Reduced& step) = 0;
  // Shows the given fields at the step's values now, inside the search.
  virtual void repaintFields(const InstantSteps& at, std::initializer_list<Field> fields) = 0;
  // The form holds the search's end: show it again.
  virtual void searchEnded() = 0;
};

class Lunation {
 public:
  Lunation(FormModel& form, Calculator& calc, UiPort& ui) : form_(form), calc_(calc), ui_(ui) {}

  void setProgress(SearchProgress* p) { progress_ = p; }

  // Finds the new moon before the last calculated instant, makes it the
  // reference date and shows the moon age; the fields are put back.
  void calculateMoonAge();
  // Moves the fields to the new moon before the entered instant.
  void findNewMoon();
  // Moves the fields to the full moon of the current lunation.
  void findFullMoon();
  // One calendar month on or back, then the full moon from there.
  void findNextFullMoon();
  void findPreviousFullMoon();
  // The current Julian Day as reference date; automatic rebasing off.
  void setReferenceToNow();
  // No reference date; automatic rebasing off.
  void clearReference();

  // The moon-age refresh inside every calc, after the reference difference:
  // with automatic rebasing on, moves the reference past a new moon.
  void rebase();
  // The automatic rebasing box's click rule: ticking it finds the
  // reference at once.
  void autoRebaseClicked();

  bool searching() const { return searching_; }

 private:
  using Instant = InstantTexts;

  void redraw(const InstantSteps& at);
  void repaint(const InstantSteps& at, std::initializer_list<Field> fields);
  // Back to `start`, recalculated (all of it when `full`), then the box.
  void searchFailed(const Instant& start, bool full);

  // Stages. Each returns false when the search must stop.
  bool newMoonDays(InstantSteps& at, bool animate);
  bool newMoonUnit(InstantSteps& at, Field f, double& d, bool redrawProbe, bool animate);
  bool fullMoonDays(InstantSteps& at);
  bool fullMoonUnit(InstantSteps& at, Field f, bool redrawProbe);
  bool seconds(InstantSteps& at, double target, double& d, bool animate);
  // The common frame of the two searches: the wait pointer, the check for
  // an instant already at the target, the final calc and the beep.
  void search(double target, const std::function<bool(InstantSteps&)>& stages,
              const Instant* origin = nullptr);
  void fullMoonFrom(const Instant* origin);
  void monthThenFullMoon(int months);

  FormModel& form_;
  Calculator& calc_;
  UiPort& ui_;
  SearchProgress* progress_ = nullptr;
  bool searching_ = false;
};

}  // namespace velmar
