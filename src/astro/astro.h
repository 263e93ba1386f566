#pragma once
// The geometry the observer's features share: the series' elongation that
// predicts the quarters (the main calculation's tables, summed through
// engine/series.h), the place of a body seen from a site, refraction and
// semidiameters; and the Moon seen from the site on the precise ephemeris
// (astro/ephemeris.h). Plain functions, without fields or texts.
//
// Instants are Julian Days of universal time; delta T in seconds turns them
// into dynamical time. Angles are in degrees.
#include "astro/calendar.h"
#include "astro/constants.h"

namespace velmar::astro {

inline constexpr double kAuKm = 149597870.7;
inline constexpr double kEarthEquatorKm = 6378.137;
inline constexpr double kEarthFlattening = 1 / 298.257;
inline constexpr double kMoonRadiusKm = 1737.4;
inline constexpr double kSunRadiusKm = 695700;

// Julian centuries of dynamical time from J2000.0.
double centuries(double jdUt, double deltaT);

// Nutation from the leading terms of the IAU 1980 series (about 0.5"):
// enough for the series' predictions, which the precise ephemeris then
// settles.
struct Nutation {
  double longitude;  // delta psi
  double obliquity;  // delta epsilon
};
Nutation nutation(double t);
// The Sun's annual aberration in longitude.
inline constexpr double kAberration = -20.496 / 3600;

// The Moon's apparent longitude minus the Sun's from the series, not
// reduced: the Moon's series is apparent already (referred to the true
// equinox, light time included); the Sun's gets nutation and aberration.
double elongation(double t);

struct Vec3 {
  double x, y, z;
};

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
// `geocentric` is on the true equator and equinox of the date, km;
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
