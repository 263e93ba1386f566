#pragma once
// The main calculation as a value: from the values of the date, time and
// delta T fields and the site to every result the main window shows, by
// the program's own series, in the order and with the operations that give
// its twelve-decimal results.
//
// Each result comes with the value its field shows, read back as a number
// (astro/rounding.h). Wherever the program has always worked on a displayed
// result (the horizontal step and the moon age take the displayed Julian
// Day, the searches compare the displayed phase and fraction, the pictures
// and tables draw the displayed values), it uses `shown`; that rounding is
// made here, once, and nowhere else.
#include <cstdint>
#include <optional>

#include "astro/astro.h"
#include "astro/conversions.h"

namespace velmar::astro {

// The values of the fields, as the form reads them.
struct ClockInput {
  double year = 0, month = 0;
  double day = 0;  // before its rounding to a whole 16-bit day
  double hour = 0, minute = 0, second = 0;  // Japan Standard Time
  double deltaT = 0;                        // s, dynamical time minus universal time
};

// A result and what its field shows of it.
struct Shown {
  double value = 0;
  double shown = 0;
};

// The instant as the Julian Day formula reads it.
struct TimeTerms {
  // The fields' values as they were read.
  ClockInput entered;
  // After a January or February date year and month read year - 1 and
  // month + 12, as the formula takes them; otherwise as entered.
  double year = 0, month = 0;
  int16_t day = 0;
  double hour = 0, minute = 0, second = 0, deltaT = 0;
  // Whether the fields hold a date the formula can take (from kFirstGregorianYear, month
  // and day at least 1). When not, the Julian Day of 0 h stays that of the
  // last date that was one.
  bool dateValid = false;
  double jd0 = 0;            // Julian Day of 0 h UT, ends in .5
  double dayFraction = 0;    // days after 0 h UT, delta T included
  double t0 = 0;             // (jd0 - J2000) / 36525
  double t = 0;              // Julian centuries from J2000.0, dynamical time
  // jd0 + dayFraction; `shown` as its field shows it (15 significant
  // digits). Unchanged from the last valid date when this one is not.
  Shown julianDay;
};

// The Julian Day step alone: the date and time terms. `before` are the
// terms of the calculation before: a date that is no date keeps its Julian
// Day (and a day too large for 16 bits its day), and a date that stays
// reuses its terms, as a search or a loop over the time of day does.
TimeTerms julianDayFromFields(const ClockInput& in, const TimeTerms& before);

// What the searches need at every step: the Sun's and the Moon's
// longitude and the phase.
struct Reduced {
  TimeTerms time;
  Shown sunLongitude;   // [0, 360)
  Shown moonLongitude;  // [0, 360)
  Shown phase;          // (0, 360]: conjunction reads 360
  Shown illumination;   // (1 - cos phase) / 2
};
Reduced calculateReduced(const ClockInput& in, const TimeTerms& before);

struct Calculation : Reduced {
  Site site;
  Shown moonLatitude;
  Shown sunDistance;      // AU
  Shown moonDistance;     // km, shown with six decimals
  Shown rightAscension;   // hours, [0, 24)
  Shown declination;
  Shown azimuth;          // from north through east, [0, 360)
  Shown altitude;
  // The shown Julian Day less the reference date, while there is one.
  std::optional<Shown> moonAge;
  // The intermediate steps of the conversions, for whoever draws them.
  Equatorial equatorial;
  Horizontal horizontal;
};
// `referenceDate` is the value of the reference date field, when it holds
// text.
Calculation calculate(const ClockInput& in, const Site& site, std::optional<double> referenceDate,
                      const TimeTerms& before);

// The moon age as its field shows it: the shown Julian Day less the
// reference date.
Shown moonAgeOf(double shownJulianDay, double referenceDate);

// The phase angle, the Moon's longitude less the Sun's in (0, 360]:
// conjunction itself reads 360, not 0. And the illuminated fraction.
double phaseAngle(double moonLongitude, double sunLongitude);
double illuminatedFraction(double phase);

// The instant in UT of the calculated date and time.
double instantOf(const TimeTerms& t);

// The Sun seen from the site at the calculated instant, as the sky view
// places it: the Moon's conversions applied to the Sun's longitude with a
// latitude of 0, with the displayed Julian Day.
Horizontal sunFromSite(const Calculation& c);

}  // namespace velmar::astro
