#include "engine/calculator.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/angles.h"
#include "engine/constants.h"
#include "engine/conversions.h"
#include "engine/numtext.h"
#include "engine/series.h"

namespace velmar {

bool Calculator::sameBits(double a, double b) {
  uint64_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

bool Calculator::DateTerms::holds(double year, double month, int16_t day) const {
  return known && sameBits(year, this->year) && sameBits(month, this->month) && day == this->day;
}

void Calculator::DateTerms::remember(double year, double month, int16_t day, double yearDays,
                                     double jd0) {
  known = true;
  this->year = year;
  this->month = month;
  this->day = day;
  this->yearDays = yearDays;
  this->jd0 = jd0;
}

void Calculator::showResult(Field f, double x) { form_.setFixed(f, x, displayMask(f)); }

void Calculator::ymdcheck() {
  rec_.year = form_.value(Field::Year);
  rec_.month = form_.value(Field::Month);
  // The day is a 16-bit integer, rounded half to even. A value that does not
  // fit is not a date: it leaves the Julian Day as it was.
  const double dayValue = std::nearbyint(form_.value(Field::Day));
  const bool dayFits = dayValue >= std::numeric_limits<int16_t>::min() &&
                       dayValue <= std::numeric_limits<int16_t>::max();
  if (dayFits) rec_.day = static_cast<int16_t>(dayValue);

  rec_.hour = form_.value(Field::Hour);
  rec_.minute = form_.value(Field::Minute);
  rec_.second = form_.value(Field::Second);

  if (form_.check(Check::AutoDeltaT) == 1) {
    if (const auto dt = automaticDeltaT(form_.value(Field::Year))) showResult(Field::DeltaT, *dt);
  }
  rec_.deltaT = form_.value(Field::DeltaT);

  dateValid_ = dayFits && rec_.year > 1582 && rec_.month > 0 && rec_.day > 0;
  if (dateValid_) yuriusu();
}

void Calculator::yuriusu() {
  if (rec_.month <= 2) {
    rec_.year = rec_.year - 1;
    rec_.month = rec_.month + 12;
  }
  // The Julian Day of 0 h depends on the date alone, which a search leaves
  // alone for most of its steps.
  if (!date_.holds(rec_.year, rec_.month, rec_.day)) {
    const double a = std::floor(rec_.year / 100);
    const double b = (2 - a) + std::floor(a / 4);
    const double y = std::floor(rec_.year * 365.25);
    date_.remember(rec_.year, rec_.month, rec_.day, y,
                   rec_.day + (y + (b + (std::floor((rec_.month + 1) * 30.6001) + 1720994.5))));
  }
  rec_.sunDistance = date_.yearDays;
  rec_.jd0 = date_.jd0;
  rec_.dayFraction = ((rec_.hour + (rec_.minute + (rec_.second + rec_.deltaT) / 60) / 60) - 9) / 24;
  formatGeneral(scratch_, rec_.jd0 + rec_.dayFraction);
  form_.setText(Field::JulianDay, scratch_);
}

void Calculator::timeArguments() {
  if (!date_.t0Known || !sameBits(rec_.jd0, date_.t0Of)) {
    date_.t0Known = true;
    date_.t0Of = rec_.jd0;
    date_.t0 = (rec_.jd0 - kJ2000) / kDaysPerCentury;
  }
  rec_.t0 = date_.t0;
  // After a valid date yuriusu has just formed the time of day in days from
  // the same fields, by the same operations; only the change of unit is left.
  const double days =
      dateValid_ ? rec_.dayFraction
                 : ((rec_.hour + (rec_.minute + (rec_.second + rec_.deltaT) / 60) / 60) - 9) / 24;
  rec_.dayFraction = days / kDaysPerCentury;
  rec_.t = rec_.t0 + rec_.dayFraction;
}

void Calculator::sunyw() {
  rec_.sunLongitude = sunLongitudeSum(rec_.t);
  rec_.sunLongitude = reduceDegrees(rec_.sunLongitude, rec_.turns);
  showResult(Field::SunLongitude, rec_.sunLongitude);
}

void Calculator::sundis() {
  rec_.sunDistance = sunDistanceSum(rec_.t);
  showResult(Field::SunDistance, rec_.sunDistance);
}

void Calculator::moonyw() {
  rec_.moonLongitude = addTerms(rec_.moonLongitude, kMoonLongitudeTerms, rec_.t);
  rec_.moonLongitude = reduceDegrees(rec_.moonLongitude, rec_.turns);
  showResult(Field::MoonLongitude, rec_.moonLongitude);
}

void Calculator::moonyh() {
  rec_.moonLatitude = moonLatitudeSum(rec_.t);
  showResult(Field::MoonLatitude, rec_.moonLatitude);
}

void Calculator::moondis() {
  rec_.moonDistance = moonParallaxSum(rec_.t);  // degrees of parallax
  rec_.moonDistance = moonDistanceKm(rec_.moonDistance);
  showResult(Field::MoonDistance, rec_.moonDistance);
}

void Calculator::phase() {
  const double d = rec_.moonLongitude - rec_.sunLongitude;
  // Conjunction itself reads 360, not 0.
  const double p = d > 0 ? d : (rec_.moonLongitude + 360) - rec_.sunLongitude;
  showResult(Field::Phase, p);
  const double k = (1 - dcos(p)) / 2;
  showResult(Field::Illumination, k);
}

void Calculator::moonsekii() {
  const Equatorial e = eclipticToEquatorial(rec_.t, rec_.moonLongitude, rec_.moonLatitude);
  rec_.nutationLongitude = e.nutationLongitude;
  rec_.obliquity = e.obliquity;
  rec_.apparentLongitude = e.apparentLongitude;
  rec_.dirX = e.dirX;
  rec_.dirY = e.dirY;
  rec_.dirZ = e.dirZ;
  rec_.rightAscension = e.rightAscension;
  rec_.declination = e.declination;
  showResult(Field::RightAscension, rec_.rightAscension);
  showResult(Field::Declination, rec_.declination);
}

void Calculator::moonkoudo() {
  const ClockAndSite at{form_.value(Field::JulianDay),
                        rec_.hour,
                        rec_.minute,
                        rec_.second,
                        rec_.siteLatitude,
                        rec_.siteLongitude};
  const Horizontal h = equatorialToHorizontal(at, rec_.rightAscension, rec_.declination);
  rec_.universalHours = h.universalHours;
  rec_.siderealTime = h.siderealTime;
  rec_.localSiderealTime = h.localSiderealTime;
  rec_.hourAngle = h.hourAngle;
  rec_.dirX = h.dirX;
  rec_.dirY = h.dirY;
  rec_.dirZ = h.dirZ;
  rec_.azimuth = h.azimuth;
  rec_.altitude = h.altitude;
  showResult(Field::Azimuth, rec_.azimuth);
  showResult(Field::Altitude, rec_.altitude);
}

void Calculator::calcn() {
  ++calcnRuns_;
  reduced();
}

void Calculator::reduced() {
  ymdcheck();
  timeArguments();
  sunyw();
  rec_.moonLongitude = moonMeanLongitude(rec_.t);
  moonyw();
  phase();
}

void Calculator::calc() {
  reduced();
  moonyh();
  sundis();
  moondis();
  moonsekii();
  moonkoudo();
  if (!form_.text(Field::ReferenceDate).empty()) {
    showResult(Field::MoonAge, form_.value(Field::JulianDay) - form_.value(Field::ReferenceDate));
  }
  if (hooks.rebase) hooks.rebase();
  if (hooks.outputs) hooks.outputs();
  if (viewsHeld_) {
    viewsDue_ = true;
  } else if (!views.empty()) {
    views();
  }
  if (hooks.dateChecked) hooks.dateChecked(dateValid_);
}

void Calculator::clearResults() {
  for (Field f : {Field::JulianDay, Field::SunLongitude, Field::MoonLongitude, Field::Phase,
                  Field::Illumination, Field::SunDistance, Field::MoonDistance, Field::MoonLatitude,
                  Field::RightAscension, Field::Declination, Field::Azimuth, Field::Altitude}) {
    form_.setText(f, "");
  }
}

void Calculator::toggleMode() {
  form_.setTick(Tick::easycalc, !form_.tick(Tick::easycalc));
  form_.setTick(Tick::hqcalc, !form_.tick(Tick::hqcalc));
}

void Calculator::setSite(double latitude, double longitude) {
  rec_.siteLatitude = latitude;
  rec_.siteLongitude = longitude;
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
