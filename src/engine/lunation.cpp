#include "engine/lunation.h"

#include <cmath>
#include <functional>

#include "engine/numtext.h"

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

constexpr const char* kOutOfRange =
    "検索できませんでした。\r\r日時が推算できる範囲 (1583年以降) を外れたか、"
    "月の位相が変化しなくなりました。\r日時を検索前に戻します。";

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

Lunation::Instant Lunation::fieldsNow() const {
  return {form_.text(Field::Text1), form_.text(Field::Text2), form_.text(Field::Text3),
          form_.text(Field::Text7), form_.text(Field::Text8), form_.text(Field::Text9)};
}

void Lunation::restore(const Instant& i) {
  form_.setText(Field::Text1, i[0]);
  form_.setText(Field::Text2, i[1]);
  form_.setText(Field::Text3, i[2]);
  form_.setText(Field::Text7, i[3]);
  form_.setText(Field::Text8, i[4]);
  form_.setText(Field::Text9, i[5]);
}

bool Lunation::step(Field f, double delta, int& budget) {
  if (budget-- <= 0) return false;
  const std::string before = form_.text(Field::Text4);
  form_.setText(f, formatPlain(form_.value(f) + delta));
  calc_.calcn();
  return form_.text(Field::Text4) != before;
}

void Lunation::redraw() {
  if (progress_) progress_->redrawPhase();
}

void Lunation::repaint(std::initializer_list<Field> fields) {
  if (progress_) progress_->repaintFields(fields);
}

void Lunation::searchFailed(const Instant& start) {
  restore(start);
  calc_.calcn();
  ui_.message("確認", kOutOfRange);
}

// --- new moon --------------------------------------------------------------

// Back a day at a time until the phase angle jumps up (a new moon was
// crossed), then forward one: the first whole day after the new moon.
bool Lunation::newMoonDays(bool animate) {
  int budget = kDayBudget;
  for (;;) {
    const double old = phaseShown();
    if (!step(Field::Text3, -1, budget)) return false;
    if (animate) {
      redraw();
      repaint({Field::Text1, Field::Text2, Field::Text3});
    }
    if (phaseShown() > old) break;
  }
  int extra = 1;
  if (!step(Field::Text3, +1, extra)) return false;
  if (animate) repaint({Field::Text3});
  return true;
}

// One probe step in direction d, which turns round when it crossed the new
// moon; then a walk until the crossing, and one step back.
bool Lunation::newMoonUnit(Field f, double& d, bool redrawProbe, bool animate) {
  int budget = f == Field::Text7 ? kHourBudget : kMinuteBudget;
  double old = phaseShown();
  if (!step(f, d, budget)) return false;
  if (redrawProbe) redraw();
  if (animate) repaint({f});
  if (phaseShown() > old) d = -d;
  for (;;) {
    old = phaseShown();
    if (!step(f, d, budget)) return false;
    if (animate) repaint({f});
    if (phaseShown() > old) break;
  }
  int extra = 1;
  if (!step(f, -d, extra)) return false;
  if (animate) repaint({f});
  return true;
}

// Seconds, on the illuminated fraction, until it reads `target` (0 at new
// moon, 1 at full moon). A probe step in direction d turns round when it
// took the fraction away from the target. One whole second can jump across
// the instant where it reads so; the walk then stops where the fraction
// stops approaching and goes back to the nearer second.
bool Lunation::seconds(double target, double& d, bool animate) {
  auto distance = [&] { return std::fabs(fractionShown() - target); };
  int budget = kSecondBudget;
  const double old = distance();
  if (!step(Field::Text9, d, budget)) return false;
  if (animate) repaint({Field::Text9});
  if (distance() > old) d = -d;
  if (!step(Field::Text9, -d, budget)) return false;
  if (animate) repaint({Field::Text9});
  double previous = distance();
  while (fractionShown() != target) {
    if (!step(Field::Text9, d, budget)) return false;
    if (animate) repaint({Field::Text9});
    if (distance() > previous) {
      int extra = 1;
      if (!step(Field::Text9, -d, extra)) return false;
      if (animate) repaint({Field::Text9});
      break;
    }
    previous = distance();
  }
  return true;
}

void Lunation::agecalc() {
  if (searching_) return;
  ui_.setWaitCursor(true);
  if (fractionShown() == 0) {
    ui_.setWaitCursor(false);
    ui_.beep();
    return;
  }
  // The instant of the last calculation, as the record holds it (January
  // and February as months 13 and 14 of the year before).
  const CalcRecord& r = calc_.record();
  const double kept[6] = {std::nearbyint(r.year), std::nearbyint(r.month),
                          static_cast<double>(r.day), std::nearbyint(r.hour),
                          std::nearbyint(r.minute), std::nearbyint(r.second)};
  const Instant start = fieldsNow();
  bool ok = true;
  whileSet(searching_, [&] {
    double d = -1;
    ok = newMoonDays(false) && newMoonUnit(Field::Text7, d, false, false);
    if (ok && !form_.tick(Tick::easycalc))
      ok = newMoonUnit(Field::Text8, d, false, false) && seconds(0, d, false);
    if (!ok) return;
    form_.setText(Field::Text13, form_.text(Field::Text4));
    const Field order[6] = {Field::Text1, Field::Text2, Field::Text3,
                            Field::Text7, Field::Text8, Field::Text9};
    for (int i = 0; i < 6; ++i) form_.setText(order[i], wholeText(kept[i]));
    form_.setText(Field::Text14, "0");
    calc_.calcn();
    form_.setText(Field::Text14, formatResult(form_.value(Field::Text4) -
                                              form_.value(Field::Text13)));
  });
  ui_.setWaitCursor(false);
  if (!ok) {
    searchFailed(start);
    return;
  }
  ui_.beep();
}

void Lunation::newmcheck() {
  search(0, [this] {
    double d = -1;
    bool ok = newMoonDays(true) && newMoonUnit(Field::Text7, d, true, true);
    d = -1;
    ok = ok && newMoonUnit(Field::Text8, d, false, true);
    d = -1;
    return ok && seconds(0, d, true);
  });
}

void Lunation::search(double target, const std::function<bool()>& stages) {
  if (searching_) return;
  ui_.setWaitCursor(true);
  if (fractionShown() != target) {
    const Instant start = fieldsNow();
    bool ok = true;
    whileSet(searching_, [&] { ok = stages(); });
    if (!ok) {
      ui_.setWaitCursor(false);
      searchFailed(start);
      calc_.calc();
      return;
    }
    calc_.calc();
  }
  ui_.setWaitCursor(false);
  ui_.beep();
}

// --- full moon -------------------------------------------------------------

// Back a day at a time while the fraction does not fall, then forward one.
bool Lunation::fullMoonDays() {
  int budget = kDayBudget;
  for (;;) {
    const double old = fractionShown();
    if (!step(Field::Text3, -1, budget)) return false;
    redraw();
    repaint({Field::Text1, Field::Text2, Field::Text3});
    if (fractionShown() < old) break;
  }
  int extra = 1;
  if (!step(Field::Text3, +1, extra)) return false;
  repaint({Field::Text3});
  return true;
}

// A probe back; forward instead when the fraction fell. Then a walk while
// it does not fall, and one step back onto the greatest fraction.
bool Lunation::fullMoonUnit(Field f, bool redrawProbe) {
  int budget = f == Field::Text7 ? kFullMoonHourBudget : kMinuteBudget;
  double d = -1;
  double old = fractionShown();
  if (!step(f, -1, budget)) return false;
  if (redrawProbe) redraw();
  repaint({f});
  if (fractionShown() < old) d = +1;
  for (;;) {
    old = fractionShown();
    if (!step(f, d, budget)) return false;
    repaint({f});
    if (fractionShown() < old) break;
  }
  int extra = 1;
  if (!step(f, -d, extra)) return false;
  repaint({f});
  return true;
}

void Lunation::fullcheck() {
  search(1, [this] {
    double d = -1;
    return fullMoonDays() && fullMoonUnit(Field::Text7, true) &&
           fullMoonUnit(Field::Text8, false) && seconds(1, d, true);
  });
}

void Lunation::nextfull() {
  form_.setText(Field::Text2, formatPlain(form_.value(Field::Text2) + 1));
  calc_.calc();
  fullcheck();
}

void Lunation::backfull() {
  form_.setText(Field::Text2, formatPlain(form_.value(Field::Text2) - 1));
  calc_.calc();
  fullcheck();
}

// --- reference date --------------------------------------------------------

void Lunation::setbt() {
  form_.setText(Field::Text13, form_.text(Field::Text4));
  form_.setText(Field::Text14, formatFixed(form_.value(Field::Text4) -
                                               form_.value(Field::Text13), 1, 11, true));
  form_.setCheck(Check::Check1, 0);
}

void Lunation::waste() {
  form_.setText(Field::Text13, "");
  form_.setText(Field::Text14, "");
  form_.setCheck(Check::Check1, 0);
}

void Lunation::rebase() {
  // A calc run by a field write inside a search must not start another.
  if (searching_ || form_.check(Check::Check1) != 1) return;
  if (form_.value(Field::Text14) > 29 && form_.value(Field::Text10) < 350) agecalc();
  if (form_.value(Field::Text14) < 0) agecalc();
}

void Lunation::check1Clicked() {
  if (form_.check(Check::Check1) == 1) agecalc();
}

}  // namespace velmar
