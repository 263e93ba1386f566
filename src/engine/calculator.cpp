#include "engine/calculator.h"

#include "engine/constants.h"
#include "engine/numtext.h"

namespace velmar {

double shownValue(const astro::Calculation& c, Field f) {
  switch (f) {
    case Field::JulianDay:
      return c.time.julianDay.shown;
    case Field::SunLongitude:
      return c.sunLongitude.shown;
    case Field::MoonLongitude:
      return c.moonLongitude.shown;
    case Field::Phase:
      return c.phase.shown;
    case Field::Illumination:
      return c.illumination.shown;
    case Field::MoonAge:
      return c.moonAge ? c.moonAge->shown : 0;
    case Field::SunDistance:
      return c.sunDistance.shown;
    case Field::MoonDistance:
      return c.moonDistance.shown;
    case Field::RightAscension:
      return c.rightAscension.shown;
    case Field::MoonLatitude:
      return c.moonLatitude.shown;
    case Field::Declination:
      return c.declination.shown;
    case Field::Azimuth:
      return c.azimuth.shown;
    case Field::Altitude:
      return c.altitude.shown;
    default:
      return 0;
  }
}

double enteredValue(const astro::Calculation& c, Field f) {
  const astro::ClockInput& in = c.time.entered;
  switch (f) {
    case Field::Year:
      return in.year;
    case Field::Month:
      return in.month;
    case Field::Day:
      return in.day;
    case Field::Hour:
      return in.hour;
    case Field::Minute:
      return in.minute;
    case Field::Second:
      return in.second;
    case Field::DeltaT:
      return in.deltaT;
    default:
      return 0;
  }
}

void Calculator::show(Field f, const astro::Shown& x) {
  form_.setFixedShown(f, x.value, x.shown, displayMask(f));
}

std::optional<double> Calculator::fieldNumber(Field f) const {
  if (form_.text(f).empty()) return std::nullopt;
  return form_.value(f);
}

astro::ClockInput Calculator::readClock() {
  astro::ClockInput in;
  in.year = form_.value(Field::Year);
  in.month = form_.value(Field::Month);
  in.day = form_.value(Field::Day);
  in.hour = form_.value(Field::Hour);
  in.minute = form_.value(Field::Minute);
  in.second = form_.value(Field::Second);
  if (form_.check(Check::AutoDeltaT) == 1) {
    if (const auto dt = automaticDeltaT(in.year))
      form_.setFixed(Field::DeltaT, *dt, displayMask(Field::DeltaT));
  }
  in.deltaT = form_.value(Field::DeltaT);
  return in;
}

void Calculator::showTime(const astro::TimeTerms& t) {
  // A date that is no date leaves the Julian Day field as it was.
  if (!t.dateValid) return;
  form_.setGeneralShown(Field::JulianDay, t.julianDay.value, t.julianDay.shown);
}

void Calculator::readDateAndTime() {
  current_.time = astro::julianDayFromFields(readClock(), current_.time);
  showTime(current_.time);
}

void Calculator::writeReducedFields() {
  showTime(current_.time);
  show(Field::SunLongitude, current_.sunLongitude);
  show(Field::MoonLongitude, current_.moonLongitude);
  show(Field::Phase, current_.phase);
  show(Field::Illumination, current_.illumination);
}

void Calculator::showReduced(const astro::Reduced& r) {
  static_cast<astro::Reduced&>(current_) = r;
  writeReducedFields();
}

void Calculator::calcReduced() {
  ++reducedRuns_;
  const astro::ClockInput in = readClock();
  showReduced(astro::calculateReduced(in, current_.time));
}

void Calculator::calc() {
  const astro::ClockInput in = readClock();
  current_ = astro::calculate(in, site_, fieldNumber(Field::ReferenceDate), current_.time);
  const astro::Calculation& c = current_;
  writeReducedFields();
  show(Field::MoonLatitude, c.moonLatitude);
  show(Field::SunDistance, c.sunDistance);
  show(Field::MoonDistance, c.moonDistance);
  show(Field::RightAscension, c.rightAscension);
  show(Field::Declination, c.declination);
  show(Field::Azimuth, c.azimuth);
  show(Field::Altitude, c.altitude);
  if (c.moonAge) show(Field::MoonAge, *c.moonAge);
  if (hooks.rebase) hooks.rebase();
  // The outputs record the moon age as its field holds it: the rebasing
  // may have moved it, and with no reference date it is what was left.
  if (const auto age = fieldNumber(Field::MoonAge)) {
    current_.moonAge = astro::Shown{*age, *age};
  } else {
    current_.moonAge.reset();
  }
  if (hooks.outputs) hooks.outputs();
  if (viewsHeld_) {
    viewsDue_ = true;
  } else if (!views.empty()) {
    views();
  }
  if (hooks.dateChecked) hooks.dateChecked(current_.time.dateValid);
}

void Calculator::clearResults() {
  for (Field f : {Field::JulianDay, Field::SunLongitude, Field::MoonLongitude, Field::Phase,
                  Field::Illumination, Field::SunDistance, Field::MoonDistance, Field::MoonLatitude,
                  Field::RightAscension, Field::Declination, Field::Azimuth, Field::Altitude}) {
    form_.setText(f, "");
  }
  // An empty field reads 0: so does a Julian Day that the next invalid
  // date keeps, and every cleared result a picture draws meanwhile. The
  // values behind them stay, as the calculation left them.
  for (astro::Shown* x :
       {&current_.time.julianDay, &current_.sunLongitude, &current_.moonLongitude, &current_.phase,
        &current_.illumination, &current_.sunDistance, &current_.moonDistance,
        &current_.moonLatitude, &current_.rightAscension, &current_.declination, &current_.azimuth,
        &current_.altitude})
    x->shown = 0;
}

void Calculator::toggleMode() {
  form_.setTick(Tick::easycalc, !form_.tick(Tick::easycalc));
  form_.setTick(Tick::hqcalc, !form_.tick(Tick::hqcalc));
}

void Calculator::setSite(double latitude, double longitude) {
  site_ = {latitude, longitude};
  form_.setText(Field::SiteLongitude, formatFixed(longitude, displayMask(Field::SiteLongitude)));
  form_.setText(Field::SiteLatitude, formatFixed(latitude, displayMask(Field::SiteLatitude)));
}

void Calculator::holdViews(bool on) {
  viewsHeld_ = on;
  if (!on) flushViews();
}

void Calculator::flushViews() {
  if (!viewsDue_) return;
  viewsDue_ = false;
  if (!views.empty()) views();
}

}  // namespace velmar
