#include "astro/calculation.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "astro/constants.h"
#include "astro/rounding.h"
#include "astro/series.h"

namespace velmar::astro {

namespace {

// The masks of the result fields: twelve decimals, the Moon's distance six.
constexpr int kResultDecimals = 12;
constexpr int kKmDecimals = 6;

Shown shownResult(double x) { return {x, shownWithDecimals(x, kResultDecimals)}; }

bool sameBits(double a, double b) {
  uint64_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

double dayFractionDays(const ClockInput& in) {
  return ((in.hour + (in.minute + (in.second + in.deltaT) / 60) / 60) - kJstHours) / 24;
}

}  // namespace

TimeTerms julianDayFromFields(const ClockInput& in, const TimeTerms& before) {
  TimeTerms tt;
  tt.entered = in;
  tt.year = in.year;
  tt.month = in.month;
  // The day is a 16-bit integer, rounded half to even. A value that does
  // not fit is no date: the day and the Julian Day stay as they were.
  const double dayValue = std::nearbyint(in.day);
  const bool dayFits = dayValue >= std::numeric_limits<int16_t>::min() &&
                       dayValue <= std::numeric_limits<int16_t>::max();
  tt.day = dayFits ? static_cast<int16_t>(dayValue) : before.day;
  tt.hour = in.hour;
  tt.minute = in.minute;
  tt.second = in.second;
  tt.deltaT = in.deltaT;
  tt.dateValid = dayFits && tt.year > kFirstGregorianYear - 1 && tt.month > 0 && tt.day > 0;
  tt.dayFraction = dayFractionDays(in);
  if (tt.dateValid) {
    if (tt.month <= 2) {
      tt.year = tt.year - 1;
      tt.month = tt.month + 12;
    }
    if (before.dateValid && sameBits(before.year, tt.year) && sameBits(before.month, tt.month) &&
        before.day == tt.day) {
      tt.jd0 = before.jd0;
      tt.t0 = before.t0;
    } else {
      tt.jd0 = julianDayAt0h(tt.year, tt.month, tt.day);
      tt.t0 = (tt.jd0 - kJ2000) / kDaysPerCentury;
    }
    const double jd = tt.jd0 + tt.dayFraction;
    tt.julianDay = {jd, shownWithSignificantDigits(jd)};
  } else {
    tt.jd0 = before.jd0;
    tt.t0 = (tt.jd0 - kJ2000) / kDaysPerCentury;
    tt.julianDay = before.julianDay;
  }
  tt.t = tt.t0 + tt.dayFraction / kDaysPerCentury;
  return tt;
}

Reduced calculateReduced(const ClockInput& in, const TimeTerms& before) {
  Reduced r;
  r.time = julianDayFromFields(in, before);
  const double t = r.time.t;
  double turns;
  const double sun = reduceDegrees(sunLongitudeSum(t), turns);
  const double moon = reduceDegrees(addTerms(moonMeanLongitude(t), kMoonLongitudeTerms, t), turns);
  r.sunLongitude = shownResult(sun);
  r.moonLongitude = shownResult(moon);
  const double p = phaseAngle(moon, sun);
  r.phase = shownResult(p);
  r.illumination = shownResult(illuminatedFraction(p));
  return r;
}

Calculation calculate(const ClockInput& in, const Site& site, std::optional<double> referenceDate,
                      const TimeTerms& before) {
  Calculation c;
  static_cast<Reduced&>(c) = calculateReduced(in, before);
  c.site = site;
  const double t = c.time.t;
  c.moonLatitude = shownResult(moonLatitudeSum(t));
  c.sunDistance = shownResult(sunDistanceSum(t));
  const double km = moonDistanceKm(moonParallaxSum(t));
  c.moonDistance = {km, shownWithDecimals(km, kKmDecimals)};
  c.equatorial = eclipticToEquatorial(t, c.moonLongitude.value, c.moonLatitude.value);
  c.rightAscension = shownResult(c.equatorial.rightAscension);
  c.declination = shownResult(c.equatorial.declination);
  const ClockAndSite at{c.time.julianDay.shown, c.time.hour,   c.time.minute,
                        c.time.second,          site.latitude, site.longitude};
  c.horizontal = equatorialToHorizontal(at, c.rightAscension.value, c.declination.value);
  c.azimuth = shownResult(c.horizontal.azimuth);
  c.altitude = shownResult(c.horizontal.altitude);
  if (referenceDate) c.moonAge = moonAgeOf(c.time.julianDay.shown, *referenceDate);
  return c;
}

double phaseAngle(double moon, double sun) {
  const double d = moon - sun;
  return d > 0 ? d : (moon + 360) - sun;
}

double illuminatedFraction(double phase) { return (1 - dcos(phase)) / 2; }

Shown moonAgeOf(double shownJulianDay, double referenceDate) {
  return shownResult(shownJulianDay - referenceDate);
}

double instantOf(const TimeTerms& t) {
  return t.jd0 + ((t.hour * 3600 + t.minute * 60 + t.second) - kJstHours * 3600) / 86400;
}

Horizontal sunFromSite(const Calculation& c) {
  const Equatorial sun = eclipticToEquatorial(c.time.t, c.sunLongitude.value, 0);
  const ClockAndSite at{c.time.julianDay.shown, c.time.hour,     c.time.minute,
                        c.time.second,          c.site.latitude, c.site.longitude};
  return equatorialToHorizontal(at, sun.rightAscension, sun.declination);
}

}  // namespace velmar::astro
