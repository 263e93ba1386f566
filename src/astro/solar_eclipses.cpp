// Solar eclipses by Besselian elements: the Moon's shadow on the plane
// through the Earth's centre across the shadow's axis. The new moons are
// screened with the program's series (good to about 10", a few seconds of
// the shadow's motion), and only a candidate costs precise positions: the
// Moon's place and rate three hours either side of the conjunction and
// the Sun's at it. Everything else, the greatest eclipse, the kind, and
// every contact at a site, is read from the cubic through those, which is
// good to some ten metres on the shadow's plane over the nine hours of an
// eclipse, a few hundredths of a second of its motion.
//
// Why not the library's own searches (swe_sol_eclipse_when_glob and
// _when_loc): they walk the ephemeris with many positions per eclipse and
// cost about ten times as much a century, and the almanac's months ask for
// their eclipses while the user pages through them.
#include "astro/solar_eclipses.h"

#include <algorithm>
#include <cmath>

#include "astro/ephemeris.h"
#include "astro/series.h"

namespace velmar::solar {

namespace {

constexpr double kRad = kPi / 180;
constexpr double kSecondDays = 1.0 / 86400;

// Mean lunation, days, with the epoch of a mean new moon in dynamical time
// (the same epoch the almanac's quarters count from).
constexpr double kSynodicMonth = 29.530588861;
constexpr double kNewMoonEpoch = 2451550.09766;
constexpr double kElongationRate = 360 / kSynodicMonth;

// A new moon whose mean argument of latitude has a sine above this is far
// from the node: no eclipse (the bound for any eclipse is 0.36).
constexpr double kMeanNodeScreen = 0.40;
// Room the series' prediction is given against the limit of an eclipse,
// degrees: the series err by some 10", and the limit below takes the
// Earth as a sphere of its equatorial radius.
constexpr double kSeriesMargin = 0.05;

// Radii in Earth equatorial radii.
constexpr double kK = kMoonRadiusEarthRadii;
constexpr double kSunRadius = kSunRadiusKm / astro::kEarthEquatorKm;
// The square of the ellipsoid's eccentricity.
constexpr double kE2 = astro::kEarthFlattening * (2 - astro::kEarthFlattening);
// The Earth's turning, degrees of sidereal time per day of UT.
constexpr double kSiderealRate = 360.98564736629;

// Greenwich apparent sidereal time, degrees: the mean by the IAU 1982
// expression in UT, the equation of the equinoxes from the leading terms
// of the nutation. Their 0.5" is 14 m of the Earth's turning, a few
// hundredths of a second of the shadow's; the library's sidereal time
// would cost a third of a candidate's positions.
double siderealTime(double jdUt, double deltaT) {
  const double d = jdUt - kJ2000;
  const double t = d / kDaysPerCentury;
  const double mean = 280.46061837 + kSiderealRate * d + t * t * (0.000387933 - t / 38710000);
  const double tt = astro::centuries(jdUt, deltaT);
  const astro::Nutation n = astro::nutation(tt);
  const double obliquity = 23.4392911 - 0.0130042 * tt;
  return mean + n.longitude * std::cos((obliquity + n.obliquity) * kRad);
}

double wrap180(double x) {
  double r = std::fmod(x, 360.0);
  if (r > 180) r -= 360;
  if (r <= -180) r += 360;
  return r;
}

double dot(const astro::Vec3& a, const astro::Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The Besselian elements at one instant, in Earth equatorial radii.
struct Elements {
  double x, y, z;       // the Moon on the shadow's frame
  double d;             // declination of the shadow's axis, radians
  double mu;            // hour angle of the axis at Greenwich, radians
  double l1, l2;        // radii of the penumbra and the umbra on the plane
  double tanF1, tanF2;  // the cones' half-angles
  double sunDistance;   // from the Moon, along the axis
  astro::Vec3 sunKm;    // the Sun, for its place in the sky
  double siderealTime;  // degrees
};

// The site's place on the sea-level ellipsoid in the shadow's frame.
struct Observer {
  double xi, eta, zeta;
};

Observer observe(const Elements& e, double rhoSin, double rhoCos, double longitude) {
  const double h = e.mu + longitude * kRad;
  const double sd = std::sin(e.d), cd = std::cos(e.d);
  return {rhoCos * std::sin(h), rhoSin * cd - rhoCos * sd * std::cos(h),
          rhoSin * sd + rhoCos * cd * std::cos(h)};
}

// The shadow around one new moon: the precise positions and the cubic
// through them.
class Shadow {
 public:
  Shadow(double centre, double deltaT) : t0_(centre) {
    for (int i = 0; i < 2; ++i)
      moon_[i] = ephemeris::moonMotion(ephemeris::terrestrial(centre + kNodes[i], deltaT));
    sun_ = ephemeris::sunMotion(ephemeris::terrestrial(centre, deltaT));
    sidereal0_ = siderealTime(centre, deltaT);
  }

  double centre() const { return t0_; }

  Elements at(double jd) const {
    // The Moon by the cubic through its places and rates at the two nodes
    // (Hermite's), the Sun by its place and rate at the centre: the Sun
    // falls off that line towards the Earth by some hundreds of kilometres
    // over these hours, but along the line of sight, where it does not
    // turn the shadow's axis (checked: a hundredth of a second at most).
    const double h = kNodes[1] - kNodes[0];
    const double u = (jd - t0_ - kNodes[0]) / h;
    const double h00 = (1 + 2 * u) * (1 - u) * (1 - u), h10 = u * (1 - u) * (1 - u);
    const double h01 = u * u * (3 - 2 * u), h11 = u * u * (u - 1);
    auto hermite = [&](double p0, double v0, double p1, double v1) {
      return h00 * p0 + h10 * h * v0 + h01 * p1 + h11 * h * v1;
    };
    const ephemeris::Motion& a0 = moon_[0];
    const ephemeris::Motion& a1 = moon_[1];
    const astro::Vec3 m{hermite(a0.position.x, a0.velocity.x, a1.position.x, a1.velocity.x),
                        hermite(a0.position.y, a0.velocity.y, a1.position.y, a1.velocity.y),
                        hermite(a0.position.z, a0.velocity.z, a1.position.z, a1.velocity.z)};
    const double ds = jd - t0_;
    const astro::Vec3 s{sun_.position.x + sun_.velocity.x * ds,
                        sun_.position.y + sun_.velocity.y * ds,
                        sun_.position.z + sun_.velocity.z * ds};
    constexpr double r = 1 / astro::kEarthEquatorKm;
    const astro::Vec3 mr{m.x * r, m.y * r, m.z * r};
    const astro::Vec3 g{(s.x - m.x) * r, (s.y - m.y) * r, (s.z - m.z) * r};
    const double gl = std::sqrt(dot(g, g));
    const astro::Vec3 axis{g.x / gl, g.y / gl, g.z / gl};
    const double a = std::atan2(axis.y, axis.x);
    const double d = std::asin(axis.z);
    const double sa = std::sin(a), ca = std::cos(a), sd = std::sin(d), cd = std::cos(d);
    Elements e{};
    e.x = -mr.x * sa + mr.y * ca;
    e.y = -mr.x * sd * ca - mr.y * sd * sa + mr.z * cd;
    e.z = dot(mr, axis);
    e.d = d;
    e.siderealTime = sidereal0_ + kSiderealRate * (jd - t0_);
    e.mu = e.siderealTime * kRad - a;
    const double sinF1 = (kSunRadius + kK) / gl;
    const double sinF2 = (kSunRadius - kK) / gl;
    const double cosF1 = std::sqrt(1 - sinF1 * sinF1), cosF2 = std::sqrt(1 - sinF2 * sinF2);
    e.tanF1 = sinF1 / cosF1;
    e.tanF2 = sinF2 / cosF2;
    e.l1 = e.z * e.tanF1 + kK / cosF1;
    e.l2 = e.z * e.tanF2 - kK / cosF2;
    e.sunDistance = gl;
    e.sunKm = s;
    return e;
  }

 private:
  // The Moon's nodes, days from the centre: its cubic errs by some ten
  // metres between them and out to an hour and a half beyond.
  static constexpr double kNodes[2] = {-3.0 / 24, 3.0 / 24};
  double t0_;
  ephemeris::Motion moon_[2];
  ephemeris::Motion sun_;
  double sidereal0_ = 0;
};

// The instant near `guess` where `f` (a distance squared on the shadow's
// plane, nearly a parabola in time) is least: Newton's steps on
// differences.
template <typename F>
double leastOf(F f, double guess) {
  const double h = 60 * kSecondDays;
  double t = guess;
  for (int i = 0; i < 12; ++i) {
    const double fm = f(t - h), f0 = f(t), fp = f(t + h);
    const double second = fp - 2 * f0 + fm;
    if (second <= 0) break;
    const double dt = -(fp - fm) / 2 * h / second;
    t += dt;
    if (std::fabs(dt) < 1e-3 * kSecondDays) break;
  }
  return t;
}

// The root of `f` between `a` (f < 0) and `b` (f > 0) to a millisecond.
template <typename F>
double rootOf(F f, double a, double fa, double b, double fb) {
  for (int i = 0; i < 60 && std::fabs(b - a) > 1e-3 * kSecondDays; ++i) {
    // Secant, kept inside the bracket; halving when it creeps.
    double c = a - fa * (b - a) / (fb - fa);
    if (!(c > std::min(a, b) && c < std::max(a, b))) c = (a + b) / 2;
    const double fc = f(c);
    if (fc == 0) return c;
    if ((fc < 0) == (fa < 0)) {
      a = c;
      fa = fc;
      fb /= 2;
    } else {
      b = c;
      fb = fc;
      fa /= 2;
    }
  }
  return a - fa * (b - a) / (fb - fa);
}

// The root of `f` from `inside` (f < 0) outwards in the direction `dir`,
// stepping `step` days until the sign turns; none within `reach` days.
template <typename F>
std::optional<double> rootOutwards(F f, double inside, double dir, double step, double reach) {
  double a = inside, fa = f(a);
  if (fa >= 0) return std::nullopt;
  for (double s = step; s <= reach + 1e-9; s += step) {
    const double b = inside + dir * s, fb = f(b);
    if (fb >= 0) return rootOf(f, a, fa, b, fb);
    a = b;
    fa = fb;
  }
  return std::nullopt;
}

// The semi-axis, along the frame's y, of the Earth's outline on the
// shadow's plane: the ellipsoid seen from declination d.
double rho1(double d) {
  const double c = std::cos(d);
  return std::sqrt(1 - kE2 * c * c);
}

// The distance of (x, y) outside the Earth's outline on the plane (zero or
// less inside): the ellipse's radius in that direction taken off.
double outsideOutline(double x, double y, double d) {
  const double r = std::hypot(x, y);
  if (r == 0) return -1;
  const double p = rho1(d);
  const double c = x / r, s = y / r;
  return r - 1 / std::sqrt(c * c + s * s / (p * p));
}

// Where the shadow's axis meets the ellipsoid, the point facing the Moon:
// its height zeta above the plane, or none when the axis misses.
std::optional<double> axisHeight(const Elements& e) {
  // The axis is the line through (x, y) along the frame's third axis; the
  // ellipsoid in the frame: with the polar axis at (0, cos d, sin d),
  // X^2 + Y^2 + Z^2 + (b^-2 - 1) (Y cos d + Z sin d)^2 = 1.
  const double b2 = (1 - astro::kEarthFlattening) * (1 - astro::kEarthFlattening);
  const double q = 1 / b2 - 1;
  const double cd = std::cos(e.d), sd = std::sin(e.d);
  // Quadratic in Z.
  const double A = 1 + q * sd * sd;
  const double B = 2 * q * e.y * cd * sd;
  const double C = e.x * e.x + e.y * e.y + q * e.y * e.y * cd * cd - 1;
  const double disc = B * B - 4 * A * C;
  if (disc < 0) return std::nullopt;
  return (-B + std::sqrt(disc)) / (2 * A);
}

struct Candidate {
  Shadow shadow;
  Eclipse eclipse;
};

// The eclipse of the shadow, if it touches the Earth.
std::optional<Eclipse> globalEclipse(const Shadow& shadow) {
  auto dist2 = [&](double jd) {
    const Elements e = shadow.at(jd);
    return e.x * e.x + e.y * e.y;
  };
  Eclipse out{};
  out.greatest = leastOf(dist2, shadow.centre());
  const Elements e = shadow.at(out.greatest);
  const double gamma = std::hypot(e.x, e.y);
  out.gamma = e.y < 0 ? -gamma : gamma;
  const std::optional<double> zeta = axisHeight(e);
  if (zeta) {
    const double l1 = e.l1 - *zeta * e.tanF1, l2 = e.l2 - *zeta * e.tanF2;
    out.magnitude = (l1 - l2) / (l1 + l2);
    if (l2 > 0) {
      out.kind = Kind::Annular;
    } else {
      // Total at greatest; hybrid when the umbra's cone falls short of the
      // surface where the central line begins or ends, at the Earth's edge.
      out.kind = Kind::Total;
      auto edge = [&](double jd) {
        const Elements f = shadow.at(jd);
        return outsideOutline(f.x, f.y, f.d);
      };
      for (double dir : {-1.0, 1.0}) {
        const std::optional<double> t = rootOutwards(edge, out.greatest, dir, 0.02, 0.25);
        if (t && shadow.at(*t).l2 > 0) out.kind = Kind::Hybrid;
      }
    }
    return out;
  }
  const double beyond = outsideOutline(e.x, e.y, e.d);
  if (beyond >= e.l1) return std::nullopt;
  out.magnitude = (e.l1 - beyond) / (e.l1 + e.l2);
  out.kind = beyond < std::fabs(e.l2) ? (e.l2 < 0 ? Kind::Total : Kind::Annular) : Kind::Partial;
  return out;
}

long long firstNewMoonIndex(double fromJd) {
  return static_cast<long long>(std::floor((fromJd - kNewMoonEpoch) / kSynodicMonth)) - 1;
}

// The series' conjunction in longitude near `guess`, and the instant the
// Moon passes nearest the Sun's centre there; returns false when the
// series put the Moon clear of every eclipse. The series cost a good part
// of a candidate's precise positions: two steps on the elongation from a
// guess within two hours or so, then the Moon's path against the Sun taken
// as straight over the hour between the conjunction and the closest
// approach.
bool seriesCandidate(double guess, double deltaT, double& centre) {
  auto elong = [&](double jd) { return wrap180(astro::elongation(astro::centuries(jd, deltaT))); };
  double t = guess;
  for (int i = 0; i < 2; ++i) t -= elong(t) / kElongationRate;
  auto offset = [&](double jd, double& x, double& y) {
    const double tc = astro::centuries(jd, deltaT);
    const double beta = moonLatitudeSum(tc);
    x = wrap180(astro::elongation(tc)) * std::cos(beta * kRad);
    y = beta;
  };
  const double h = 0.01;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  offset(t, x0, y0);
  offset(t + h, x1, y1);
  const double vx = (x1 - x0) / h, vy = (y1 - y0) / h;
  const double v = std::hypot(vx, vy);
  centre = t - (x0 * vx + y0 * vy) / (v * v);
  const double least = std::fabs(x0 * vy - y0 * vx) / v;
  const double tc = astro::centuries(centre, deltaT);
  const double moonKm = moonDistanceKm(moonParallaxSum(tc));
  const double sunKm = sunDistanceSum(tc) * astro::kAuKm;
  // Some part of the Earth sees the discs touch while the Moon's centre
  // stands less than the two parallaxes' difference plus both radii from
  // the Sun's.
  const double limit =
      (std::asin(astro::kEarthEquatorKm / moonKm) - std::asin(astro::kEarthEquatorKm / sunKm)) /
          kRad +
      astro::semidiameter(kSunRadiusKm, sunKm) +
      astro::semidiameter(kK * astro::kEarthEquatorKm, moonKm);
  return least < limit + kSeriesMargin;
}

// Every eclipse whose greatest falls in [fromJd, toJd), with its shadow.
std::vector<Candidate> candidates(double fromJd, double toJd, double deltaT) {
  std::vector<Candidate> out;
  for (long long n = firstNewMoonIndex(fromJd);; ++n) {
    const double k = static_cast<double>(n);
    const double mean = kNewMoonEpoch + kSynodicMonth * k - deltaT / 86400;
    if (mean > toJd + 2) break;
    if (mean < fromJd - 2) continue;
    const double f = 160.7108 + 390.67050284 * k;
    if (std::fabs(std::sin(f * kRad)) > kMeanNodeScreen) continue;
    // The mean new moon with the Moon's and the Sun's equations of the
    // centre (Meeus, Astronomical Algorithms, ch. 49): within two hours.
    const double moonAnomaly = (201.5643 + 385.81693528 * k) * kRad;
    const double sunAnomaly = (2.5534 + 29.10535670 * k) * kRad;
    const double guess = mean - 0.40720 * std::sin(moonAnomaly) + 0.17241 * std::sin(sunAnomaly);
    double centre = 0;
    if (!seriesCandidate(guess, deltaT, centre)) continue;
    Shadow shadow(centre, deltaT);
    const std::optional<Eclipse> e = globalEclipse(shadow);
    if (e && e->greatest >= fromJd && e->greatest < toJd) out.push_back({shadow, *e});
  }
  return out;
}

// The area of the Sun's disc (radius rs) that a disc of radius rm at a
// distance c from its centre covers, as a fraction.
double coveredFraction(double rs, double rm, double c) {
  if (c >= rs + rm) return 0;
  if (c <= rm - rs) return 1;
  if (c <= rs - rm) return rm * rm / (rs * rs);
  const double a = std::acos(std::clamp((c * c + rs * rs - rm * rm) / (2 * c * rs), -1.0, 1.0));
  const double b = std::acos(std::clamp((c * c + rm * rm - rs * rs) / (2 * c * rm), -1.0, 1.0));
  const double area = rs * rs * (a - std::sin(2 * a) / 2) + rm * rm * (b - std::sin(2 * b) / 2);
  return area / (kPi * rs * rs);
}

Contact contactAt(const Shadow& shadow, double jd, const astro::Site& site) {
  const Elements e = shadow.at(jd);
  const astro::Topocentric p = astro::topocentric(e.sunKm, e.siderealTime, site);
  return {jd, p.altitude + astro::refraction(p.altitude), p.azimuth};
}

std::optional<LocalEclipse> localEclipse(const Candidate& c, const astro::Site& site) {
  const double phi = site.latitude * kRad;
  const double uu = std::atan2((1 - astro::kEarthFlattening) * std::sin(phi), std::cos(phi));
  const double rhoSin = (1 - astro::kEarthFlattening) * std::sin(uu);
  const double rhoCos = std::cos(uu);
  const Shadow& shadow = c.shadow;
  struct Local {
    double m, l1, l2;
  };
  auto local = [&](double jd) {
    const Elements e = shadow.at(jd);
    const Observer o = observe(e, rhoSin, rhoCos, site.longitude);
    const double m = std::hypot(e.x - o.xi, e.y - o.eta);
    return Local{m, e.l1 - o.zeta * e.tanF1, e.l2 - o.zeta * e.tanF2};
  };
  // The maximum is the site's least distance from the shadow's axis, as
  // the national almanac and the eclipse canons take it. The least distance
  // of the centres in the sky comes up to some ten seconds later or earlier
  // in a shallow eclipse, as the site's distance from the Moon changes
  // while the Earth turns; the national almanac's times follow the axis.
  const double tMax = leastOf(
      [&](double jd) {
        const double m = local(jd).m;
        return m * m;
      },
      c.eclipse.greatest);
  const Local atMax = local(tMax);
  if (atMax.m >= atMax.l1) return std::nullopt;

  LocalEclipse out{};
  out.global = c.eclipse;
  const double step = 0.02, reach = 0.25;
  auto outer = [&](double jd) {
    const Local l = local(jd);
    return l.m - l.l1;
  };
  const std::optional<double> t1 = rootOutwards(outer, tMax, -1, step, reach);
  const std::optional<double> t4 = rootOutwards(outer, tMax, 1, step, reach);
  if (!t1 || !t4) return std::nullopt;
  out.begin = contactAt(shadow, *t1, site);
  out.maximum = contactAt(shadow, tMax, site);
  out.end = contactAt(shadow, *t4, site);
  out.kind = LocalKind::Partial;
  if (atMax.m < std::fabs(atMax.l2)) {
    out.kind = atMax.l2 < 0 ? LocalKind::Total : LocalKind::Annular;
    auto inner = [&](double jd) {
      const Local l = local(jd);
      return l.m - std::fabs(l.l2);
    };
    const std::optional<double> t2 = rootOutwards(inner, tMax, -1, 0.002, 0.02);
    const std::optional<double> t3 = rootOutwards(inner, tMax, 1, 0.002, 0.02);
    if (t2) out.secondContact = contactAt(shadow, *t2, site);
    if (t3) out.thirdContact = contactAt(shadow, *t3, site);
  }
  // On the plane through the site the penumbra's radius is the sum of the
  // discs' radii and the umbra's their difference, in one common measure.
  out.magnitude = (atMax.l1 - atMax.m) / (atMax.l1 + atMax.l2);
  const double rs = (atMax.l1 + atMax.l2) / 2, rm = (atMax.l1 - atMax.l2) / 2;
  out.obscuration = coveredFraction(rs, rm, atMax.m);
  out.risesEclipsed = out.begin.altitude < 0;
  out.setsEclipsed = out.end.altitude < 0;
  if (out.begin.altitude < 0 && out.maximum.altitude < 0 && out.end.altitude < 0)
    return std::nullopt;
  return out;
}

}  // namespace

std::vector<Eclipse> eclipses(double fromJd, double toJd, double deltaT) {
  std::vector<Eclipse> out;
  for (const Candidate& c : candidates(fromJd, toJd, deltaT)) out.push_back(c.eclipse);
  return out;
}

std::vector<LocalEclipse> localEclipses(double fromJd, double toJd, const astro::Site& site,
                                        double deltaT) {
  // A site's maximum is within a few hours of the greatest eclipse.
  std::vector<LocalEclipse> out;
  for (const Candidate& c : candidates(fromJd - 0.25, toJd + 0.25, deltaT)) {
    const std::optional<LocalEclipse> e = localEclipse(c, site);
    if (e && e->maximum.jd >= fromJd && e->maximum.jd < toJd) out.push_back(*e);
  }
  return out;
}

}  // namespace velmar::solar
