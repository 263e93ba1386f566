#include "astro/ephemeris.h"

#include <swephexp.h>

#include <cmath>

namespace velmar::ephemeris {

namespace {

#ifndef VELMAR_EPHE_DIR
#define VELMAR_EPHE_DIR "/usr/share/libswe/ephe"
#endif

constexpr double kAuKm = astro::kAuKm;

// The library wants its path before anything else; a function-local static
// sets it exactly once. SE_EPHE_PATH in the environment still wins, as the
// library documents, so that a user can point it at a larger set of files.
void setUp() {
  static const bool done = [] {
    swe_set_ephe_path(VELMAR_EPHE_DIR);
    return true;
  }();
  (void)done;
}

constexpr int32 kFlags = SEFLG_SWIEPH | SEFLG_SPEED;

struct Raw {
  double x[6];
  int32 flags;
};

Raw calc(double jdTt, int body, int32 flags) {
  setUp();
  Raw r{};
  char error[AS_MAXCH];
  r.flags = swe_calc(jdTt, body, flags, r.x, error);
  // A refusal (a date far outside every ephemeris) leaves zeros; the
  // callers' ranges keep well inside the library's.
  if (r.flags < 0)
    for (double& v : r.x) v = 0;
  return r;
}

Place place(double jdTt, int body) {
  const Raw r = calc(jdTt, body, kFlags);
  return {r.x[0], r.x[1], r.x[2] * kAuKm, r.x[3], r.x[5] * kAuKm};
}

astro::Vec3 vector(double jdTt, int body) {
  const Raw r = calc(jdTt, body, SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_XYZ);
  return {r.x[0] * kAuKm, r.x[1] * kAuKm, r.x[2] * kAuKm};
}

Motion motion(double jdTt, int body) {
  const Raw r = calc(jdTt, body, SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_XYZ | SEFLG_SPEED);
  return {{r.x[0] * kAuKm, r.x[1] * kAuKm, r.x[2] * kAuKm},
          {r.x[3] * kAuKm, r.x[4] * kAuKm, r.x[5] * kAuKm}};
}

}  // namespace

double deltaT(double jdUt) {
  setUp();
  char error[AS_MAXCH];
  return swe_deltat_ex(jdUt, SEFLG_SWIEPH, error) * 86400;
}

Place sun(double jdTt) { return place(jdTt, SE_SUN); }
Place moon(double jdTt) { return place(jdTt, SE_MOON); }
double sunMeanEquinoxLongitude(double jdTt) {
  return calc(jdTt, SE_SUN, SEFLG_SWIEPH | SEFLG_NONUT).x[0];
}
double moonMeanEquinoxLongitude(double jdTt) {
  return calc(jdTt, SE_MOON, SEFLG_SWIEPH | SEFLG_NONUT).x[0];
}

astro::Vec3 sunVector(double jdTt) { return vector(jdTt, SE_SUN); }
astro::Vec3 moonVector(double jdTt) { return vector(jdTt, SE_MOON); }
Motion sunMotion(double jdTt) { return motion(jdTt, SE_SUN); }
Motion moonMotion(double jdTt) { return motion(jdTt, SE_MOON); }

Nutation nutation(double jdTt) {
  // The library's "body" SE_ECL_NUT: true and mean obliquity, nutation in
  // longitude and in obliquity.
  const Raw r = calc(jdTt, SE_ECL_NUT, SEFLG_SWIEPH);
  return {r.x[2], r.x[3], r.x[1], r.x[0]};
}

double apparentSiderealTime(double jdUt, const Nutation& n) {
  setUp();
  // Hours from the library.
  double st = swe_sidtime0(jdUt, n.trueObliquity, n.longitude) * 15;
  st = std::fmod(st, 360.0);
  return st < 0 ? st + 360 : st;
}

double apparentSiderealTime(double jdUt, double deltaTSeconds) {
  return apparentSiderealTime(jdUt, nutation(terrestrial(jdUt, deltaTSeconds)));
}

astro::Topocentric moonFromSite(double jdUt, double deltaTSeconds, const astro::Site& site) {
  const double tt = terrestrial(jdUt, deltaTSeconds);
  return astro::topocentric(moonVector(tt), apparentSiderealTime(jdUt, nutation(tt)), site);
}

}  // namespace velmar::ephemeris
