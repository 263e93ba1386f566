#include "engine/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "astro/angles.h"
#include "astro/conversions.h"
#include "engine/instant.h"
#include "engine/numtext.h"

namespace velmar {
namespace {

class CalculatorTest : public ::testing::Test {
 protected:
  FormModel form;
  Calculator calc{form};
  const astro::Calculation& rec() const { return calc.result(); }

  void enter(const char* y, const char* mo, const char* d, const char* h, const char* mi,
             const char* s, const char* dt) {
    testing_instant::enterInstant(form, y, mo, d, h, mi, s);
    form.setText(Field::DeltaT, dt);
  }
};

TEST_F(CalculatorTest, EpochOfTheSeriesIsJulianDay2451545) {
  enter("2000", "1", "1", "21", "0", "0", "0");
  calc.calc();
  EXPECT_EQ(form.text(Field::JulianDay), " 2451545");
  EXPECT_EQ(rec().time.t, 0.0);
}

TEST_F(CalculatorTest, JanuaryIsShiftedIntoTheRecord) {
  enter("2000", "1", "1", "12", "0", "0", "0");
  calc.calc();
  EXPECT_EQ(form.text(Field::JulianDay), " 2451544.625");
  EXPECT_EQ(rec().time.year, 1999);
  EXPECT_EQ(rec().time.month, 13);
  EXPECT_EQ(rec().time.jd0, 2451544.5);
    EXPECT_EQ(rec().time.t, -0.5 / 36525 + 0.125 / 36525);
  // The fields themselves are not changed by the shift.
  EXPECT_EQ(form.text(Field::Year), "2000");
  EXPECT_EQ(form.text(Field::Month), "1");
}

TEST_F(CalculatorTest, DeltaTEntersTheDayFraction) {
  enter("2001", "3", "1", "9", "0", "0", "66");
  calc.readDateAndTime();
  EXPECT_EQ(rec().time.dayFraction, ((9 + (0 + (0 + 66.0) / 60) / 60) - 9) / 24);
  enter("2001", "1", "1", "9", "0", "0", "0");
  calc.readDateAndTime();
  EXPECT_EQ(form.text(Field::JulianDay), " 2451910.5");
}

TEST_F(CalculatorTest, MonthThirteenIsJanuaryOfTheNextYear) {
  enter("2000", "13", "1", "9", "0", "0", "0");
  calc.calc();
  const std::string direct = form.text(Field::JulianDay);
  enter("2001", "1", "1", "9", "0", "0", "0");
  calc.calc();
  EXPECT_EQ(direct, form.text(Field::JulianDay));
}

TEST_F(CalculatorTest, InvalidDatesKeepTheLastJulianDay) {
  enter("2001", "3", "9", "21", "5", "0", "66");
  calc.calc();
  const std::string jd = form.text(Field::JulianDay);
  const double jd0 = rec().time.jd0;
  const std::string moon = form.text(Field::MoonLongitude);
  struct Row {
    const char* name;
    const char* year;
    const char* month;
    const char* day;
  } rows[] = {
      {"year 1582", "1582", "3", "9"},
      {"month 0", "2001", "0", "9"},
      {"day 0", "2001", "3", "0"},
      {"not a number", "abc", "3", "9"},
      {"day beyond 16 bits", "2001", "3", "40000"},
      {"day far beyond", "2001", "3", "99999999999999999999"},
  };
  for (const Row& r : rows) {
    enter(r.year, r.month, r.day, "21", "5", "0", "66");
    calc.calc();
    EXPECT_EQ(form.text(Field::JulianDay), jd) << r.name;
    EXPECT_EQ(rec().time.jd0, jd0) << r.name;
    EXPECT_EQ(form.text(Field::MoonLongitude), moon) << r.name;
  }
  // The time of day is still read: a new hour moves the results.
  enter("1582", "3", "9", "22", "5", "0", "66");
  calc.calc();
  EXPECT_EQ(form.text(Field::JulianDay), jd);
  EXPECT_NE(form.text(Field::MoonLongitude), moon);
}

// The terms that depend on the date alone are kept from one calculation to
// the next; whatever came before, they must be those of the date now in the
// fields (or, after an invalid date, of the last valid one, and before any
// valid date of Julian Day 0).
TEST_F(CalculatorTest, TimeArgumentsFollowTheFieldsWhateverCameBefore) {
  const char* rows[][7] = {
      {"1500", "3", "9", "21", "5", "0", "66"},  // no valid date yet
      {"2001", "3", "9", "21", "5", "0", "66"},  {"2001", "3", "9", "3", "5", "0", "66"},
      {"2001", "3", "0", "4", "5", "0", "66"},   {"2001", "2", "9", "4", "5", "0", "66"},
      {"2001", "14", "9", "4", "5", "0", "66"},  {"2002", "2", "9", "4", "5", "0", "0"},
      {"2001", "3", "9", "21", "5", "30", "66"},
  };
  double jd0 = 0;
  for (const auto& r : rows) {
    enter(r[0], r[1], r[2], r[3], r[4], r[5], r[6]);
    calc.calcReduced();
    double year = value(r[0]), month = value(r[1]);
    const double day = value(r[2]);
    if (year > 1582 && month > 0 && day > 0) {
      if (month <= 2) {
        year = year - 1;
        month = month + 12;
      }
      const double a = std::floor(year / 100);
      const double b = (2 - a) + std::floor(a / 4);
      const double y = std::floor(year * 365.25);
      jd0 = day + (y + (b + (std::floor((month + 1) * 30.6001) + 1720994.5)));
    }
    const double t0 = (jd0 - 2451545.0) / 36525;
    const double fraction =
        ((value(r[3]) + (value(r[4]) + (value(r[5]) + value(r[6])) / 60) / 60) - 9) / 24 / 36525;
    EXPECT_EQ(rec().time.jd0, jd0) << r[0] << "-" << r[1] << "-" << r[2] << " " << r[3];
    EXPECT_EQ(rec().time.t, t0 + fraction) << r[0] << "-" << r[1] << "-" << r[2] << " " << r[3];
  }
}

TEST_F(CalculatorTest, DayIsRoundedHalfToEven) {
  enter("2001", "3", "2.5", "9", "0", "0", "0");
  calc.readDateAndTime();
  EXPECT_EQ(rec().time.day, 2);
  enter("2001", "3", "3.5", "9", "0", "0", "0");
  calc.readDateAndTime();
  EXPECT_EQ(rec().time.day, 4);
}

TEST_F(CalculatorTest, AutomaticDeltaTFollowsTheYear) {
  enter("2001", "3", "9", "21", "5", "0", "12");
  form.setCheck(Check::AutoDeltaT, 1);
  calc.readDateAndTime();
  EXPECT_EQ(form.text(Field::DeltaT), "66");
  EXPECT_EQ(rec().time.deltaT, 66);
  form.setText(Field::Year, "1935");
  calc.readDateAndTime();
  EXPECT_EQ(form.text(Field::DeltaT), "00");
  form.setText(Field::DeltaT, "25");
  form.setText(Field::Year, "1900");
  calc.readDateAndTime();
  EXPECT_EQ(form.text(Field::DeltaT), "25");
}

TEST(PhaseAngle, RunsFromAboveZeroTo360) {
  EXPECT_EQ(astro::phaseAngle(100, 100), 360);
  EXPECT_EQ(formatResult(astro::illuminatedFraction(360)), " 0.000000000000");
  EXPECT_EQ(astro::phaseAngle(90, 100), 350);
  EXPECT_GT(astro::illuminatedFraction(350), 0);
  EXPECT_LT(astro::illuminatedFraction(350), 0.01);
  EXPECT_EQ(formatResult(astro::illuminatedFraction(astro::phaseAngle(280, 100))),
            " 1.000000000000");
}

TEST_F(CalculatorTest, ReferenceDifferenceOnlyWithAReference) {
  enter("2001", "3", "9", "21", "5", "0", "66");
  form.setText(Field::MoonAge, "kept");
  calc.calc();
  EXPECT_EQ(form.text(Field::MoonAge), "kept");
  form.setText(Field::ReferenceDate, " 2451977.5");
  calc.calc();
  EXPECT_EQ(form.text(Field::MoonAge), formatResult(form.value(Field::JulianDay) - 2451977.5));
}

TEST_F(CalculatorTest, ClearEmptiesResultsAndCalcRestoresThem) {
  enter("2001", "3", "9", "21", "5", "0", "66");
  form.setText(Field::ReferenceDate, " 2451977.5");
  calc.setSite(35.6544, 139.7447);
  calc.calc();
  std::vector<std::string> before;
  for (int i = 1; i < kFieldCount; ++i) before.push_back(form.text(static_cast<Field>(i)));
  calc.clearResults();
  for (Field f :
       {Field::JulianDay, Field::SunLongitude, Field::MoonLongitude, Field::Phase,
        Field::Illumination, Field::SunDistance, Field::MoonDistance, Field::RightAscension,
        Field::MoonLatitude, Field::Declination, Field::Azimuth, Field::Altitude}) {
    EXPECT_EQ(form.text(f), "") << fieldName(f);
  }
  for (Field f :
       {Field::Year, Field::DeltaT, Field::ReferenceDate, Field::MoonAge, Field::SiteLongitude})
    EXPECT_EQ(form.text(f), before[static_cast<int>(f) - 1]) << fieldName(f);
  calc.calc();
  for (int i = 1; i < kFieldCount; ++i)
    EXPECT_EQ(form.text(static_cast<Field>(i)), before[i - 1]) << i;
}

TEST_F(CalculatorTest, ClearedJulianDayAndInvalidDateUseDayZeroForSiderealTime) {
  enter("2001", "3", "9", "21", "5", "0", "66");
  calc.calc();
  calc.clearResults();
  form.setText(Field::Day, "0");
  calc.calc();
  EXPECT_EQ(form.text(Field::JulianDay), "");
  EXPECT_EQ(rec().horizontal.siderealTime, 2400.0513369 * (-2451545.0 / 36525) + 6.697375 +
                                  0.0000259 * (-2451545.0 / 36525) * (-2451545.0 / 36525) +
                                  rec().horizontal.universalHours);
}

TEST_F(CalculatorTest, ModeItemsAreAlwaysExclusive) {
  EXPECT_TRUE(form.tick(Tick::hqcalc));
  EXPECT_FALSE(form.tick(Tick::easycalc));
  calc.toggleMode();
  EXPECT_TRUE(form.tick(Tick::easycalc));
  EXPECT_FALSE(form.tick(Tick::hqcalc));
  calc.toggleMode();
  EXPECT_TRUE(form.tick(Tick::hqcalc));
  EXPECT_FALSE(form.tick(Tick::easycalc));
}

// Positions against published ephemeris values; the series are accurate to
// a few hundredths of a degree, so a wrong coefficient shows at once.
TEST_F(CalculatorTest, AgreesWithPublishedPositions) {
  // 1992-04-12 0h dynamical time: Moon at longitude 133.1627, latitude
  // -3.2291, distance 368409.7 km (apparent longitude 133.1673).
  enter("1992", "4", "12", "9", "0", "0", "0");
  calc.calc();
  EXPECT_NEAR(rec().moonLongitude.value, 133.1627, 0.01);
  EXPECT_NEAR(rec().moonLatitude.value, -3.2291, 0.01);
  EXPECT_NEAR(rec().moonDistance.value, 368409.7, 30);
  // 1992-10-13 0h dynamical time: Sun at apparent longitude 199.9090,
  // distance 0.99766 AU.
  enter("1992", "10", "13", "9", "0", "0", "0");
  calc.calc();
  EXPECT_NEAR(rec().sunLongitude.value, 199.909, 0.01);
  EXPECT_NEAR(rec().sunDistance.value, 0.99766, 0.0001);
}

TEST_F(CalculatorTest, ResultsStayInTheirRangesOverCenturies) {
  std::mt19937 rng(20011);
  std::uniform_int_distribution<int> year(1600, 2600), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59);
  std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-180, 360);
  for (int i = 0; i < 2000; ++i) {
    enter(formatInt(year(rng)).c_str(), formatInt(month(rng)).c_str(), formatInt(day(rng)).c_str(),
          formatInt(hour(rng)).c_str(), formatInt(minute(rng)).c_str(), "0", "60");
    calc.setSite(lat(rng), lon(rng));
    calc.calc();
    const std::string at = form.text(Field::JulianDay);
    for (Field f : {Field::SunLongitude, Field::MoonLongitude, Field::Azimuth}) {
      EXPECT_GE(form.value(f), 0) << at;
      EXPECT_LT(form.value(f), 360) << at;
    }
    EXPECT_GT(form.value(Field::Phase), 0) << at;
    EXPECT_LE(form.value(Field::Phase), 360) << at;
    EXPECT_GE(form.value(Field::RightAscension), 0) << at;
    EXPECT_LT(form.value(Field::RightAscension), 24) << at;
    EXPECT_LT(std::fabs(form.value(Field::MoonLatitude)), 5.35) << at;
    EXPECT_LE(std::fabs(form.value(Field::Altitude)), 90) << at;
    // Six integer digits: never below 100000 km.
    EXPECT_EQ(form.text(Field::MoonDistance).find('.'), 7u) << form.text(Field::MoonDistance);
  }
}

// The pictures, the table, the graph and the searches take the results as
// values, never from the fields' texts: each value must be exactly what its
// field shows, read back, after every kind of calculation and after
// clearing. A rounding step left out, or a result put in the wrong place,
// shows here.
TEST_F(CalculatorTest, TheResultIsWhatTheFieldsShow) {
  const Field results[] = {Field::JulianDay,      Field::SunLongitude, Field::MoonLongitude,
                           Field::Phase,          Field::Illumination, Field::MoonAge,
                           Field::SunDistance,    Field::MoonDistance, Field::RightAscension,
                           Field::MoonLatitude,   Field::Declination,  Field::Azimuth,
                           Field::Altitude};
  auto expectShown = [&](const std::string& at) {
    for (Field f : results)
      EXPECT_EQ(shownValue(calc.result(), f), form.value(f)) << fieldName(f) << " at " << at;
  };
  std::mt19937 rng(20240101);
  std::uniform_int_distribution<int> year(1600, 2900), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59);
  form.setText(Field::ReferenceDate, " 2451550.1");
  for (int i = 0; i < 300; ++i) {
    enter(formatInt(year(rng)).c_str(), formatInt(month(rng)).c_str(), formatInt(day(rng)).c_str(),
          formatInt(hour(rng)).c_str(), formatInt(minute(rng)).c_str(), formatInt(i % 60).c_str(),
          formatInt(i % 5 ? 60 : 0).c_str());
    if (i % 3 == 0) {
      calc.calcReduced();
      for (Field f : {Field::JulianDay, Field::SunLongitude, Field::MoonLongitude, Field::Phase,
                      Field::Illumination}) {
        EXPECT_EQ(shownValue(calc.result(), f), form.value(f)) << fieldName(f);
      }
    } else {
      calc.calc();
      expectShown(form.text(Field::JulianDay));
    }
  }
  calc.clearResults();
  for (Field f : results) {
    if (f != Field::MoonAge) {
      EXPECT_EQ(shownValue(calc.result(), f), 0) << fieldName(f);
    }
  }
}

TEST(Conversions, QuadrantsAndLimitingValues) {
  EXPECT_EQ(rightAscensionHours(0, 1), 6);
  EXPECT_EQ(rightAscensionHours(0, -1), 18);
  EXPECT_EQ(rightAscensionHours(-1, 0), 12);
  EXPECT_EQ(rightAscensionHours(1, 0), 0);
  EXPECT_NEAR(rightAscensionHours(-1, -1), 15, 1e-9);
  EXPECT_NEAR(rightAscensionHours(1, -1), 21, 1e-9);
  EXPECT_EQ(declinationDegrees(1, 0), 90);
  EXPECT_EQ(declinationDegrees(-1, 0), -90);
  EXPECT_EQ(azimuthDegrees(1, 0), 90);
  EXPECT_EQ(azimuthDegrees(-1, 0), 270);
  EXPECT_NEAR(azimuthDegrees(-1, 1), 315, 1e-9);
  EXPECT_NEAR(azimuthDegrees(0.5, -1), 180 - datan(0.5), 1e-9);
  EXPECT_EQ(altitudeDegrees(1), 90);
  EXPECT_EQ(altitudeDegrees(-1), -90);
  EXPECT_EQ(altitudeDegrees(1 + 1e-16), 90);
}

TEST(Conversions, MeridianAndHorizon) {
  // Hour angle 0, declination below the site's latitude: due south.
  // Sidereal time at JD 2451545 and 9:00 JST (0 h UT) is 6.697375 h; the
  // object's right ascension is chosen to match.
  const ClockAndSite at{2451545, 9, 0, 0, 35, 0};
  const Horizontal south = equatorialToHorizontal(at, 6.697375, 10);
  EXPECT_NEAR(south.azimuth, 180, 1e-9);
  EXPECT_NEAR(south.altitude, 65, 1e-6);
  // Six hours west of the meridian at declination 0: rising due east.
  const Horizontal east = equatorialToHorizontal(at, 6.697375 + 6, 0);
  EXPECT_NEAR(east.azimuth, 90, 1e-6);
  EXPECT_NEAR(east.altitude, 0, 1e-6);
}

TEST(Angles, ConversionFactorsAreTheProgramsOwn) {
  EXPECT_NE(dcos(90), 0.0);
  EXPECT_EQ(dcos(90), std::cos(90 * 0.017453292519943));
  EXPECT_EQ(datan(1), std::atan(1.0) * 57.295779513082);
}

}  // namespace
}  // namespace velmar
