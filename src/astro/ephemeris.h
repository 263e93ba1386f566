#pragma once
// The Sun and the Moon from the Swiss Ephemeris: the one place the program
// reaches the library. Plain functions of the instant, returning plain
// values; the observer's features (the almanac, its events, the Moon seen
// from the site) build on these. The main window's calculation keeps its
// own series and never comes here.
//
// The library's files (swe-basic-data: JPL DE431, compressed) cover 1800 to
// 2400. For other years the library answers from its analytical ephemeris,
// good to a few arcseconds for the Moon near our time and worse far from
// it.
//
// Threads: the library keeps global state (open files, the last positions
// it computed, the ephemeris path). It is set up once, on the first call
// of any function here, and after that every call must come from one
// thread at a time. The program calls it only from its main thread (the
// window's event loop, or velmar-cli's main); a caller that wants threads
// must hold one lock around every call of this module.
//
// Instants are Julian Days. "Ut" is universal time; "Tt" is terrestrial
// (dynamical) time, which is UT + delta T. Angles in degrees, distances in
// km.
#include "astro/astro.h"

namespace velmar::ephemeris {

// Delta T (TT - UT) in seconds for an instant in UT: measured values from
// the library's tables, then its extrapolation, and its long-term model
// before 1620 or so.
double deltaT(double jdUt);

inline double terrestrial(double jdUt, double deltaTSeconds) { return jdUt + deltaTSeconds / 86400; }

// Geocentric apparent place on the ecliptic and the equinox of the date
// (light time, aberration and nutation included), with its rates per day.
struct Place {
  double longitude;  // [0, 360)
  double latitude;
  double distance;       // km
  double longitudeRate;  // degrees per day
  double distanceRate;   // km per day
};
Place sun(double jdTt);
Place moon(double jdTt);
// The apparent longitudes less the nutation in longitude (referred to the
// mean equinox of the date), without rates: the nutation and the rates are
// most of the library's work, and a quarter of the cost remains. The
// Moon's minus the Sun's is the apparent elongation itself.
double sunMeanEquinoxLongitude(double jdTt);
double moonMeanEquinoxLongitude(double jdTt);

// The same apparent places as vectors on the true equator and equinox of
// the date, km.
astro::Vec3 sunVector(double jdTt);
astro::Vec3 moonVector(double jdTt);
// The same with their rates, km per day: a third dearer than the vector
// alone, and worth two of them where a few hours are interpolated.
struct Motion {
  astro::Vec3 position;
  astro::Vec3 velocity;
};
Motion sunMotion(double jdTt);
Motion moonMotion(double jdTt);

// Nutation and the obliquity of the ecliptic, degrees.
struct Nutation {
  double longitude;      // delta psi
  double obliquity;      // delta epsilon
  double meanObliquity;  // of the date
  double trueObliquity;  // mean plus delta epsilon
};
Nutation nutation(double jdTt);

// Greenwich apparent sidereal time in degrees, [0, 360), with the nutation
// of the instant (nutation(jdTt) when it is at hand).
double apparentSiderealTime(double jdUt, const Nutation& n);
double apparentSiderealTime(double jdUt, double deltaTSeconds);

// The Moon seen from a site on the sea-level ellipsoid: the geometric
// (airless) azimuth and altitude and the distance from the site.
astro::Topocentric moonFromSite(double jdUt, double deltaTSeconds, const astro::Site& site);

}  // namespace velmar::ephemeris
