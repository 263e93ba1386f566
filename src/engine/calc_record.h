#pragma once
#include <cstdint>

namespace velmar {

// The one record of inputs, time arguments, intermediate angles and results
// that the whole program shares. Zeroed at startup and never reset: a field
// keeps its last value until a step overwrites it. Angles in degrees.
struct CalcRecord {
  // Inputs, read from the fields by ymdcheck. After a January or February
  // date, year and month hold year - 1 and month + 12.
  double year = 0;
  double month = 0;
  int16_t day = 0;
  double hour = 0;  // Japan Standard Time, UT + 9 h
  double minute = 0;
  double second = 0;
  double deltaT = 0;  // s, dynamical time minus universal time

  // Time arguments.
  double jd0 = 0;          // Julian Day of 0 h UT, ends in .5
  double dayFraction = 0;  // days inside yuriusu, Julian centuries after calc
  double t0 = 0;           // (jd0 - 2451545) / 36525
  double t = 0;            // Julian centuries from J2000.0, dynamical time

  // Results.
  double sunLongitude = 0;   // [0, 360)
  double sunDistance = 0;    // AU (scratch inside yuriusu)
  double moonLongitude = 0;  // mean longitude first, then the full value
  double moonLatitude = 0;
  double moonDistance = 0;  // parallax in degrees while summing, then km
  double nutationLongitude = 0;
  double obliquity = 0;
  double apparentLongitude = 0;
  double rightAscension = 0;  // hours, [0, 24)
  double declination = 0;
  double universalHours = 0;
  double siderealTime = 0;       // hours, not reduced
  double localSiderealTime = 0;  // hours, not reduced
  double hourAngle = 0;          // degrees
  double azimuth = 0;            // from north through east, [0, 360)
  double altitude = 0;

  // Site, set by the site selection.
  double siteLatitude = 0;   // north positive
  double siteLongitude = 0;  // east positive

  // Scratch.
  double turns = 0;
  double dirX = 0;
  double dirY = 0;
  double dirZ = 0;
};

}  // namespace velmar
