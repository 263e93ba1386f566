#include "astro/astro.h"

#include <cmath>

#include "astro/ephemeris.h"
#include "astro/series.h"

namespace velmar::astro {

namespace {

// The additions use full-precision radians: the program's own conversion
// factors belong to its displayed series and conversions, which keep them.
constexpr double kRad = kPi / 180;

double sinDeg(double x) { return std::sin(x * kRad); }
double cosDeg(double x) { return std::cos(x * kRad); }

double wrap360(double x) {
  const double r = std::fmod(x, 360.0);
  return r < 0 ? r + 360 : r;
}

}  // namespace

double centuries(double jdUt, double deltaT) {
  return ((jdUt - kJ2000) + deltaT / 86400) / kDaysPerCentury;
}

Nutation nutation(double t) {
  const double node = 125.04452 - 1934.136261 * t;
  const double sun = 280.4665 + 36000.7698 * t;
  const double moon = 218.3165 + 481267.8813 * t;
  const double psi = -17.20 * sinDeg(node) - 1.32 * sinDeg(2 * sun) - 0.23 * sinDeg(2 * moon) +
                     0.21 * sinDeg(2 * node);
  const double eps = 9.20 * cosDeg(node) + 0.57 * cosDeg(2 * sun) + 0.10 * cosDeg(2 * moon) -
                     0.09 * cosDeg(2 * node);
  return {psi / 3600, eps / 3600};
}

double elongation(double t) {
  return moonLongitudeSum(t) - (sunLongitudeSum(t) + nutation(t).longitude + kAberration);
}

Topocentric topocentric(const Vec3& g, double siderealTime, const Site& site) {
  // The site on the ellipsoid at sea level, in the equatorial frame.
  const double phi = site.latitude * kRad;
  const double u = std::atan2((1 - kEarthFlattening) * std::sin(phi), std::cos(phi));
  const double theta = (siderealTime + site.longitude) * kRad;
  const double rc = kEarthEquatorKm * std::cos(u);
  const double rs = kEarthEquatorKm * (1 - kEarthFlattening) * std::sin(u);
  const Vec3 r{g.x - rc * std::cos(theta), g.y - rc * std::sin(theta), g.z - rs};

  const double rho = std::hypot(r.x, r.y);
  const double dec = std::atan2(r.z, rho);
  const double h = theta - std::atan2(r.y, r.x);
  const double east = -std::cos(dec) * std::sin(h);
  const double north = std::sin(dec) * std::cos(phi) - std::cos(dec) * std::cos(h) * std::sin(phi);
  const double up = std::sin(dec) * std::sin(phi) + std::cos(dec) * std::cos(h) * std::cos(phi);

  Topocentric out{};
  out.azimuth = wrap360(std::atan2(east, north) / kRad);
  out.altitude = std::atan2(up, std::hypot(east, north)) / kRad;
  out.hourAngle = wrap360(h / kRad);
  if (out.hourAngle > 180) out.hourAngle -= 360;
  out.distance = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
  return out;
}

double refraction(double altitude) {
  auto saemundsson = [](double h) {
    const double minutes = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * kRad);
    // The formula dips a hair below zero at the zenith.
    return minutes > 0 ? minutes / 60 : 0.0;
  };
  if (altitude >= -1) return saemundsson(altitude);
  if (altitude > -2) return saemundsson(-1) * (altitude + 2);
  return 0;
}

double semidiameter(double radius, double distance) { return std::asin(radius / distance) / kRad; }

MoonFromSite moonFromSite(double jdUt, double deltaT, const Site& site) {
  const Topocentric p = ephemeris::moonFromSite(jdUt, deltaT, site);
  MoonFromSite m{};
  m.azimuth = p.azimuth;
  m.geometricAltitude = p.altitude;
  m.altitude = p.altitude + refraction(p.altitude);
  m.distance = p.distance;
  m.semidiameter = semidiameter(kMoonRadiusKm, p.distance);
  return m;
}

}  // namespace velmar::astro
