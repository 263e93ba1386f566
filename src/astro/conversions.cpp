#include "astro/conversions.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "astro/constants.h"

namespace velmar {

Equatorial eclipticToEquatorial(double t, double longitude, double latitude) {
  Equatorial e{};
  e.nutationLongitude = -0.00487 * dsin(125.04 - 1934.136 * t);
  e.nutationLongitude = e.nutationLongitude + 0.0037 * dsin(200.93 + 72001.539 * t);
  e.obliquity = 23.43929 - 0.01300417 * t;
  e.apparentLongitude = longitude + e.nutationLongitude;
  const double lambda = e.apparentLongitude;
  const double beta = latitude;
  const double eps = e.obliquity;
  e.dirX = dcos(beta) * dcos(lambda);
  e.dirY = dcos(beta) * dsin(lambda) * dcos(eps) - dsin(beta) * dsin(eps);
  e.dirZ = dcos(beta) * dsin(lambda) * dsin(eps) + dsin(beta) * dcos(eps);
  e.rightAscension = rightAscensionHours(e.dirX, e.dirY);
  e.declination = declinationDegrees(e.dirZ, std::sqrt(e.dirX * e.dirX + e.dirY * e.dirY));
  return e;
}

double rightAscensionHours(double dirX, double dirY) {
  double alpha;
  if (dirX == 0) {
    // On the equinoctial colure: the limit of atan is +-90.
    alpha = dirY > 0 ? 90.0 : (dirY < 0 ? 270.0 : 0.0);
  } else {
    alpha = datan(dirY / dirX);
    if (dirX < 0) alpha = alpha + 180;
  }
  const double u = alpha / 360 + 1;
  return (u - std::trunc(u)) * 24;
}

double declinationDegrees(double dirZ, double rho) {
  if (rho == 0) return dirZ >= 0 ? 90.0 : -90.0;  // at a pole
  return datan(dirZ / rho);
}

double azimuthDegrees(double dirX, double dirY) {
  if (dirY == 0) {
    // Due east or west: the limit of atan is +-90.
    return dirX > 0 ? 90.0 : (dirX < 0 ? 270.0 : 0.0);
  }
  double azimuth = datan(dirX / dirY);
  if (dirY < 0) azimuth = azimuth + 180;
  if (azimuth < 0) azimuth = azimuth + 360;
  return azimuth;
}

double altitudeDegrees(double dirZ) {
  // In the zenith or nadir (or a rounding step beyond) dasin divides by zero.
  if (1 - dirZ * dirZ <= 0) return dirZ > 0 ? 90.0 : -90.0;
  return dasin(dirZ);
}

Horizontal equatorialToHorizontal(const ClockAndSite& at, double rightAscension,
                                  double declination) {
  Horizontal h{};
  const double tp = (at.julianDay - kJ2000) / kDaysPerCentury;
  h.universalHours = at.hour + at.minute / 60 + at.second / 3600 - astro::kJstHours;
  h.siderealTime = 2400.0513369 * tp + 6.697375 + 0.0000259 * tp * tp + h.universalHours;
  const double v = at.siteLongitude / 360 + 1;
  const double siteHours = (v - std::trunc(v)) * 24;
  h.localSiderealTime = h.siderealTime + siteHours;
  h.hourAngle = (h.localSiderealTime - rightAscension) * 15;

  const double H = h.hourAngle;
  const double delta = declination;
  const double phi = at.siteLatitude;
  h.dirX = -dcos(delta) * dsin(H);
  h.dirY = dsin(delta) * dcos(phi) - dcos(delta) * dcos(H) * dsin(phi);
  h.dirZ = dsin(delta) * dsin(phi) + dcos(delta) * dcos(H) * dcos(phi);
  h.azimuth = azimuthDegrees(h.dirX, h.dirY);
  h.altitude = altitudeDegrees(h.dirZ);
  return h;
}

}  // namespace velmar
