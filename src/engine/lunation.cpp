#include "engine/lunation.h"

#include <cmath>
#include <functional>

#include "astro/calendar.h"
#include "engine/instant_steps.h"
#include "engine/numtext.h"
#include "engine/program.h"

namespace velmar {

namespace {

// Steps a stage may take before it is called lost. A lunation is under 30
// days, so the day stages need at most about 30 steps; a waxing full-moon
// hour walk up to about 360; minutes and seconds up to 60 each.
constexpr int kDayBudget = 40;
constexpr int kHourBudget = 30;
constexpr int kFullMoonHourBudget = 400;
constexpr int kMinuteBudget = 70;
constexpr int kSecondBudget = 70;

std::string outOfRangeText() {
  return "検索できませんでした。\r\r日時が推算できる範囲 (" +
         formatInt(astro::kFirstGregorianYear) +
         "年以降) を外れたか、月の位相が変化しなくなりました。\r日時を検索前に戻します。";
}

// Runs `f` with `flag` set, restoring it afterwards.
template <typename F>
void whileSet(bool& flag, F f) {
  flag = true;
  f();
  flag = false;
}

// The whole-number text a field is given back as.
std::string wholeText(double v) { return formatInt(static_cast<long long>(std::nearbyint(v))); }

}  // namespace

void Lunation::redraw(const InstantSteps& at) {
  if (progress_) progress_->redrawPhase(at.last());
}

void Lunation::repaint(const InstantSteps& at, std::initializer_list<Field> fields) {
  if (progress_) progress_->repaintFields(at, fields);
}

void Lunation::searchFailed(const Instant& start, bool full) {
  writeInstant(form_, start);
  // The box says the fields are back: what it is shown over (the results,
  // the date's marks) must agree with it already.
  if (full) {
    calc_.calc();
  } else {
    calc_.calcReduced();
  }
  ui_.message(kTitleText, outOfRangeText(), Tone::Warning);
}

// --- new moon --------------------------------------------------------------

// Back a day at a time until the phase angle jumps up (a new moon was
// crossed), then forward one: the first whole day after the new moon.
bool Lunation::newMoonDays(InstantSteps& at, bool animate) {
  int budget = kDayBudget;
  for (;;) {
    const double old = at.phase();
    if (!at.step(Field::Day, -1, budget)) return false;
    if (animate) {
      redraw(at);
      repaint(at, {Field::Year, Field::Month, Field::Day});
    }
    if (at.phase() > old) break;
  }
  int extra = 1;
  if (!at.step(Field::Day, +1, extra)) return false;
  if (animate) repaint(at, {Field::Day});
  return true;
}

// One probe step in direction d, which turns round when it crossed the new
// moon; then a walk until the crossing, and one step back.
bool Lunation::newMoonUnit(InstantSteps& at, Field f, double& d, bool redrawProbe,
                           bool animate) {
  int budget = f == Field::Hour ? kHourBudget : kMinuteBudget;
  double old = at.phase();
  if (!at.step(f, d, budget)) return false;
  if (redrawProbe) redraw(at);
  if (animate) repaint(at, {f});
  if (at.phase() > old) d = -d;
  for (;;) {
    old = at.phase();
    if (!at.step(f, d, budget)) return false;
    if (animate) repaint(at, {f});
    if (at.phase() > old) break;
  }
  int extra = 1;
  if (!at.step(f, -d, extra)) return false;
  if (animate) repaint(at, {f});
  return true;
}

// Seconds, on the illuminated fraction, until it reads `target` (0 at new
// moon, 1 at full moon). A probe step in direction d turns round when it
// took the fraction away from the target. One whole second can jump across
// the instant where it reads so; the walk then stops where the fraction
// stops approaching and goes back to the nearer second.
bool Lunation::seconds(InstantSteps& at, double target, double& d, bool animate) {
  auto distance = [&] { return std::fabs(at.fraction() - target); };
  int budget = kSecondBudget;
  const double old = distance();
  if (!at.step(Field::Second, d, budget)) return false;
  if (animate) repaint(at, {Field::Second});
  if (distance() > old) d = -d;
  if (!at.step(Field::Second, -d, budget)) return false;
  if (animate) repaint(at, {Field::Second});
  double previous = distance();
  while (at.fraction() != target) {
    if (!at.step(Field::Second, d, budget)) return false;
    if (animate) repaint(at, {Field::Second});
    if (distance() > previous) {
      int extra = 1;
      if (!at.step(Field::Second, -d, extra)) return false;
      if (animate) repaint(at, {Field::Second});
      break;
    }
    previous = distance();
  }
  return true;
}

void Lunation::calculateMoonAge() {
  if (searching_) return;
  FormModel::ProgramWrites searchWrites(form_);
  ui_.setWaitCursor(true);
  InstantSteps at(form_, calc_);
  if (at.fraction() == 0) {
    ui_.setWaitCursor(false);
    ui_.beep();
    return;
  }
  // The instant of the last calculation, as the Julian Day formula held it
  // (January and February as months 13 and 14 of the year before).
  const astro::TimeTerms& r = calc_.result().time;
  const Instant kept = {wholeText(r.year), wholeText(r.month),  wholeText(r.day),
                        wholeText(r.hour), wholeText(r.minute), wholeText(r.second)};
  const Instant start = readInstant(form_);
  bool ok = true;
  whileSet(searching_, [&] {
    double d = -1;
    ok = newMoonDays(at, false) && newMoonUnit(at, Field::Hour, d, false, false);
    if (ok && !form_.tick(Tick::easycalc))
      ok = newMoonUnit(at, Field::Minute, d, false, false) && seconds(at, 0, d, false);
    at.writeTo(form_, calc_, false);
    if (!ok) return;
    form_.setText(Field::ReferenceDate, form_.text(Field::JulianDay));
    writeInstant(form_, kept);
    form_.setText(Field::MoonAge, "0");
    calc_.calcReduced();
    form_.setText(Field::MoonAge,
                  formatFixed(form_.value(Field::JulianDay) - form_.value(Field::ReferenceDate),
                              displayMask(Field::MoonAge)));
  });
  ui_.setWaitCursor(false);
  if (!ok) {
    searchFailed(start, false);
    return;
  }
  ui_.beep();
}

void Lunation::findNewMoon() {
  search(0, [this](InstantSteps& at) {
    double d = -1;
    bool ok = newMoonDays(at, true) && newMoonUnit(at, Field::Hour, d, true, true);
    d = -1;
    ok = ok && newMoonUnit(at, Field::Minute, d, false, true);
    d = -1;
    return ok && seconds(at, 0, d, true);
  });
}

void Lunation::search(double target, const std::function<bool(InstantSteps&)>& stages,
                      const Instant* origin) {
  if (searching_) return;
  FormModel::ProgramWrites searchWrites(form_);
  ui_.setWaitCursor(true);
  InstantSteps at(form_, calc_);
  // The fraction shown belongs to the last date that was one: a month step
  // out of the calendar leaves it reading the target, and the search must
  // still run (and fail) rather than stop on a result of another date.
  if (at.fraction() != target || !calc_.dateValid()) {
    // A search that gives up goes back to where the user started it, also
    // when a month step came before it.
    const Instant start = origin ? *origin : readInstant(form_);
    bool ok = true;
    whileSet(searching_, [&] { ok = stages(at); });
    at.writeTo(form_, calc_, ok);
    if (progress_) progress_->searchEnded();
    if (!ok) {
      ui_.setWaitCursor(false);
      searchFailed(start, true);
      return;
    }
    calc_.calc();
  }
  ui_.setWaitCursor(false);
  ui_.beep();
}

// --- full moon -------------------------------------------------------------

// Back a day at a time while the fraction does not fall, then forward one.
bool Lunation::fullMoonDays(InstantSteps& at) {
  int budget = kDayBudget;
  for (;;) {
    const double old = at.fraction();
    if (!at.step(Field::Day, -1, budget)) return false;
    redraw(at);
    repaint(at, {Field::Year, Field::Month, Field::Day});
    if (at.fraction() < old) break;
  }
  int extra = 1;
  if (!at.step(Field::Day, +1, extra)) return false;
  repaint(at, {Field::Day});
  return true;
}

// A probe back; forward instead when the fraction fell. Then a walk while
// it does not fall, and one step back onto the greatest fraction.
bool Lunation::fullMoonUnit(InstantSteps& at, Field f, bool redrawProbe) {
  int budget = f == Field::Hour ? kFullMoonHourBudget : kMinuteBudget;
  double d = -1;
  double old = at.fraction();
  if (!at.step(f, -1, budget)) return false;
  if (redrawProbe) redraw(at);
  repaint(at, {f});
  if (at.fraction() < old) d = +1;
  for (;;) {
    old = at.fraction();
    if (!at.step(f, d, budget)) return false;
    repaint(at, {f});
    if (at.fraction() < old) break;
  }
  int extra = 1;
  if (!at.step(f, -d, extra)) return false;
  repaint(at, {f});
  return true;
}

void Lunation::findFullMoon() { fullMoonFrom(nullptr); }

void Lunation::fullMoonFrom(const Instant* origin) {
  search(
      1,
      [this](InstantSteps& at) {
        double d = -1;
        return fullMoonDays(at) && fullMoonUnit(at, Field::Hour, true) &&
               fullMoonUnit(at, Field::Minute, false) && seconds(at, 1, d, true);
      },
      origin);
}

void Lunation::findNextFullMoon() { monthThenFullMoon(+1); }

void Lunation::findPreviousFullMoon() { monthThenFullMoon(-1); }

void Lunation::monthThenFullMoon(int months) {
  if (searching_) return;
  FormModel::ProgramWrites searchWrites(form_);
  const Instant origin = readInstant(form_);
  form_.setText(Field::Month, formatPlain(form_.value(Field::Month) + months));
  calc_.calc();
  fullMoonFrom(&origin);
}

// --- reference date --------------------------------------------------------

void Lunation::setReferenceToNow() {
  form_.setText(Field::ReferenceDate, form_.text(Field::JulianDay));
  form_.setText(Field::MoonAge,
                formatFixed(form_.value(Field::JulianDay) - form_.value(Field::ReferenceDate),
                            kReferenceAgeMask));
  form_.setCheck(Check::AutoRebase, 0);
}

void Lunation::clearReference() {
  form_.setText(Field::ReferenceDate, "");
  form_.setText(Field::MoonAge, "");
  form_.setCheck(Check::AutoRebase, 0);
}

void Lunation::rebase() {
  // A calc run by a field write inside a search must not start another.
  if (searching_ || form_.check(Check::AutoRebase) != 1) return;
  if (form_.value(Field::MoonAge) > 29 && form_.value(Field::Phase) < 350) calculateMoonAge();
  if (form_.value(Field::MoonAge) < 0) calculateMoonAge();
}

void Lunation::autoRebaseClicked() {
  if (form_.check(Check::AutoRebase) == 1) calculateMoonAge();
}

}  // namespace velmar
