#pragma once
// The Sun and the Moon at any instant, from the program's own series: plain
// functions of the time, delta T and the site, without fields or texts.
// The main calculation keeps its own displayed steps; both sum the same
// tables through the helpers of engine/series.h.
//
// Instants are Julian Days of universal time; delta T in seconds turns them
// into the dynamical time the series run on. Angles are in degrees.
#include "engine/constants.h"

namespace velmar::astro {

inline constexpr double kAuKm = 149597870.7;
inline constexpr double kEarthEquatorKm = 6378.137;
inline constexpr double kEarthFlattening = 1 / 298.257;
inline constexpr double kMoonRadiusKm = 1737.4;
inline constexpr double kSunRadiusKm = 695700;
// JST is UT + 9 h.
inline constexpr double kJstDays = 9.0 / 24;

// Julian centuries of dynamical time from J2000.0.
double centuries(double jdUt, double deltaT);

// The places as the series give them. The Sun's longitude is geometric and
// referred to the mean equinox of the date; the Moon's comes out referred
// to the true equinox (nutation included) with the light time: compared
// with an accurate ephemeris it is good to about 10" that way, and off by
// the whole nutation if nutation is added again.
struct SunPlace {
  double longitude;  // [0, 360)
  double distance;   // AU
};
struct MoonPlace {
  double longitude;  // [0, 360)
  double latitude;
  double parallax;  // horizontal parallax
  double distance;  // km
};
SunPlace sunPlace(double t);
MoonPlace moonPlace(double t);

// Nutation from the leading terms of the IAU 1980 series (about 0.5").
struct Nutation {
  double longitude;  // delta psi
  double obliquity;  // delta epsilon
};
Nutation nutation(double t);
// The mean obliquity of the ecliptic (IAU 1980).
double meanObliquity(double t);
// The Sun's annual aberration in longitude.
inline constexpr double kAberration = -20.496 / 3600;

// Apparent ecliptic longitudes: for the Sun nutation and aberration added;
// the Moon's series is apparent already.
double sunApparentLongitude(double t, const Nutation& n);
double moonApparentLongitude(double t);

// The Moon's apparent longitude minus the Sun's, not reduced.
double elongation(double t);

// Greenwich apparent sidereal time in degrees, [0, 360).
double apparentSiderealTime(double jdUt, double t, const Nutation& n);

struct Vec3 {
  double x, y, z;
};

// Geocentric apparent places as vectors on the true equator and equinox of
// the date, in km.
Vec3 sunVector(double t);
Vec3 moonVector(double t);

struct Site {
  double latitude;   // geodetic, north positive
  double longitude;  // east positive
};

// A body seen from a site on the sea-level ellipsoid.
struct Topocentric {
  double azimuth;    // from north through east, [0, 360)
  double altitude;   // geometric, no refraction
  double hourAngle;  // (-180, 180]
  double distance;   // km from the site
};
// `siderealTime` is the Greenwich apparent sidereal time of the instant.
Topocentric topocentric(const Vec3& geocentric, double siderealTime, const Site& site);

// Refraction for a geometric altitude, by Saemundsson's formula for
// 1010 hPa and 10 degrees C, faded linearly to 0 between -1 and -2 degrees.
double refraction(double altitude);

// The Moon seen from the site at one instant, on the precise ephemeris
// (astro/ephemeris.h).
struct MoonFromSite {
  double azimuth;
  double altitude;           // refraction included
  double geometricAltitude;  // without refraction
  double semidiameter;       // from the distance to the site
  double distance;           // km from the site
};
MoonFromSite moonFromSite(double jdUt, double deltaT, const Site& site);

// The semidiameter of a sphere of `radius` km at `distance` km.
double semidiameter(double radius, double distance);

}  // namespace velmar::astro
