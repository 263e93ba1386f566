#pragma once
// Ecliptic -> equatorial -> horizontal, for any body given by its ecliptic
// longitude and latitude (the Moon in the main calculation, the Sun in the
// sky view). Plain functions of their inputs so both can share them.

namespace velmar {

struct Equatorial {
  double nutationLongitude;  // degrees
  double obliquity;          // degrees
  double apparentLongitude;  // degrees
  double dirX, dirY, dirZ;   // direction cosines
  double rightAscension;     // hours, [0, 24)
  double declination;        // degrees
};

// t in Julian centuries (dynamical time); longitude and latitude in degrees.
Equatorial eclipticToEquatorial(double t, double longitude, double latitude);

struct Horizontal {
  double universalHours;     // hours
  double siderealTime;       // hours, not reduced to a day
  double localSiderealTime;  // hours, not reduced
  double hourAngle;          // degrees
  double dirX, dirY, dirZ;   // direction cosines
  double azimuth;            // from north through east, [0, 360)
  double altitude;           // degrees
};

struct ClockAndSite {
  double julianDay;                    // as shown in the Julian Day field (includes delta T)
  double hour, minute, second;         // Japan Standard Time
  double siteLatitude, siteLongitude;  // degrees, north and east positive
};

// The quadrant rules, with the limiting values where a direction cosine
// in the denominator is exactly zero.
// Right ascension in hours [0, 24) from the equatorial direction cosines.
double rightAscensionHours(double dirX, double dirY);
// Declination or altitude in degrees from the cosine along the pole and the
// length of the projection on the equator.
double declinationDegrees(double dirZ, double rho);
// Azimuth from north through east, [0, 360).
double azimuthDegrees(double dirX, double dirY);
// Altitude as dasin(dirZ); +-90 in the zenith and nadir.
double altitudeDegrees(double dirZ);

Horizontal equatorialToHorizontal(const ClockAndSite& at, double rightAscension,
                                  double declination);

}  // namespace velmar
