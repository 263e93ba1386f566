// Quarters, apsides and lunar eclipses: each predicted from the mean
// motions and the program's own series, then refined on the precise
// ephemeris (astro/ephemeris.h) with a few positions.
//
// Why a finder of our own: the library's searches (swe_lun_eclipse_when,
// and the crossing searches) are general and walk the whole ephemeris from
// a cold start: a century of eclipses through them costs about ten times
// what the series' prediction plus two or three precise positions per
// event costs here, and the months of the window are computed while the
// user pages through them. The series are good to about 10", so they
// bring every search within seconds of its answer; the precise positions
// then settle it.
#include <algorithm>
#include <cmath>

#include "astro/almanac.h"
#include "astro/ephemeris.h"
#include "astro/roots.h"
#include "astro/series.h"
#include "astro/solar_eclipses.h"

namespace velmar::almanac {

namespace {

using astro::centuries;

constexpr double kRad = kPi / 180;

// Mean lunation and anomalistic month, days, with epochs in dynamical time.
constexpr double kSynodicMonth = 29.530588861;
constexpr double kNewMoonEpoch = 2451550.09766;
constexpr double kAnomalisticMonth = 27.55454989;
constexpr double kPerigeeEpoch = 2451534.6698;
// The Moon's mean elongation rate, degrees per day.
constexpr double kElongationRate = 360 / kSynodicMonth;

// The Earth's shadow by Danjon's rule, as the current eclipse canons cast
// it: the Earth's radius enlarged by 1/85 for the atmosphere, and taken at
// latitude 45 degrees for its flattening (0.998340 of the equatorial
// radius), so that the Moon's parallax counts 1.01 times. The Sun's and
// the Moon's radii are the canons' too: 696 000 km, and k = 0.2725076
// Earth radii.
constexpr double kDanjonParallaxFactor = 1.01;
constexpr double kShadowSunRadiusKm = 696000;
constexpr double kShadowMoonRadiusKm = 0.2725076 * astro::kEarthEquatorKm;
// The series' prediction of an eclipse is good to about 0.01 in magnitude:
// a full moon whose penumbral magnitude the series put lower than this is
// no eclipse, and the precise ephemeris is not asked.
constexpr double kSeriesMagnitudeMargin = -0.03;
// A full moon further than this from the ecliptic escapes even the
// penumbra: penumbral radius plus the Moon's, at their largest, with room.
constexpr double kEclipseLatitudeLimit = 1.65;
// The same screen on the mean argument of latitude, before any series.
constexpr double kEclipseMeanScreen = 0.40;

constexpr double kSecondDays = 1.0 / 86400;
// A step on the series' rate shorter than this is final: the series' rate
// of the elongation is the true one to 1.6e-4 (1901 to 2099), so the step
// errs by 5 ms at most.
constexpr double kOneStepDays = 30 * kSecondDays;

double wrap180(double x) {
  double r = std::fmod(x, 360.0);
  if (r > 180) r -= 360;
  if (r <= -180) r += 360;
  return r;
}

// The instant (UT) when the series' elongation is `target` degrees, near
// `guess`: the prediction of a quarter or a full moon, to `tolerance`
// days. `rate` gets the series' rate of the elongation there, degrees per
// day.
double phaseInstant(double guess, double target, double deltaT, double* rate = nullptr,
                    double tolerance = 1e-2 * kSecondDays) {
  auto f = [&](double jd) { return wrap180(astro::elongation(centuries(jd, deltaT)) - target); };
  double t0 = guess, f0 = f(t0);
  double t1 = t0 - f0 / kElongationRate;
  double slope = kElongationRate;
  for (int i = 0; i < 12; ++i) {
    const double f1 = f(t1);
    if (f1 == f0) break;
    slope = (f1 - f0) / (t1 - t0);
    const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
    t0 = t1;
    f0 = f1;
    t1 = t2;
    if (std::fabs(t1 - t0) < tolerance) break;
  }
  if (rate) *rate = slope;
  return t1;
}

// The quarter on the precise ephemeris. The series bring it within a
// minute, and their rate is the true one to 1.6e-4: one step on the
// precise elongation then leaves a few milliseconds at most when it is
// short; a longer one is settled by a secant on two precise values. The
// nutation moves both bodies alike, so the longitudes on the mean equinox
// (a quarter of the library's work) give the elongation.
double quarterInstant(double guess, double target, double deltaT) {
  double rate = 0;
  // The series are good to about 20" of elongation, some 40 s: their root
  // to a second is all the precise steps need.
  double t0 = phaseInstant(guess, target, deltaT, &rate, 1.0 * kSecondDays);
  auto f = [&](double jd) {
    const double tt = ephemeris::terrestrial(jd, deltaT);
    const double sun = ephemeris::sunMeanEquinoxLongitude(tt);
    return wrap180(ephemeris::moonMeanEquinoxLongitude(tt) - sun - target);
  };
  return refineRoot(f, t0, f(t0), rate, kOneStepDays);
}

// The extremum of the series' parallax near `guess`: a maximum for perigee.
double apsisPrediction(double guess, bool perigee, double deltaT) {
  auto rate = [&](double jd) {
    const double r = moonParallaxRate(centuries(jd, deltaT));
    return perigee ? r : -r;
  };
  // Walk in half days towards the extremum until the rate turns.
  double a = guess, fa = rate(a);
  const double dir = fa > 0 ? 0.5 : -0.5;
  double b = a, fb = fa;
  for (int i = 0; i < 12 && (fb > 0) == (fa > 0); ++i) {
    a = b;
    fa = fb;
    b = a + dir;
    fb = rate(b);
  }
  return findRoot(rate, a, fa, b, fb, 1.0 * kSecondDays);
}

// The true extremum of the geocentric distance: the series' apsis (a
// Meeus-style distance, up to an hour or so from the true extreme) by the
// secant on the precise distance's rate. Returns the instant; `km` gets
// the distance there.
double apsisInstant(double guess, bool perigee, double deltaT, double& km) {
  auto rate = [&](double jd, double& distance) {
    const ephemeris::Place m = ephemeris::moon(ephemeris::terrestrial(jd, deltaT));
    distance = m.distance;
    return m.distanceRate;
  };
  double a = apsisPrediction(guess, perigee, deltaT);
  double db = 0;
  double fa = rate(a, db);
  double b = a + 0.02, fb = rate(b, db);
  for (int i = 0; i < 10 && fb != fa; ++i) {
    const double c = b - fb * (b - a) / (fb - fa);
    a = b;
    fa = fb;
    b = c;
    fb = rate(b, db);
    if (std::fabs(b - a) < 1.0 * kSecondDays) break;
  }
  km = db;
  return b;
}

// The Moon against the anti-Sun from the series: the separation's
// components, degrees. Only for the prediction.
struct ShadowOffset {
  double x, y;
};
ShadowOffset seriesOffset(double jd, double deltaT) {
  const double t = centuries(jd, deltaT);
  const double beta = moonLatitudeSum(t);
  const double dl = wrap180(astro::elongation(t) - 180);
  return {dl * std::cos(beta * kRad), beta};
}

// The shadow's radii and the Moon's, degrees, by Danjon's rule.
struct ShadowRadii {
  double penumbra, umbra, moon;
};
ShadowRadii shadowRadii(double moonKm, double sunKm) {
  const double moonParallax =
      kDanjonParallaxFactor * std::asin(astro::kEarthEquatorKm / moonKm) / kRad;
  const double sunParallax = std::asin(astro::kEarthEquatorKm / sunKm) / kRad;
  const double sunRadius = astro::semidiameter(kShadowSunRadiusKm, sunKm);
  return {moonParallax + sunParallax + sunRadius, moonParallax + sunParallax - sunRadius,
          astro::semidiameter(kShadowMoonRadiusKm, moonKm)};
}

double dot(const astro::Vec3& a, const astro::Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
astro::Vec3 scaled(const astro::Vec3& a, double k) { return {a.x * k, a.y * k, a.z * k}; }
astro::Vec3 cross(const astro::Vec3& a, const astro::Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The shadow's neighbourhood of an eclipse from the precise ephemeris at
// three instants: the Moon's place on the plane across the shadow's axis
// (the apparent anti-Sun) and the radii, quadratic in time. Over the few
// hours of an eclipse this is good to a small fraction of an arcsecond, and
// the greatest eclipse and the contacts need no further positions.
class LocalShadow {
 public:
  LocalShadow(double centre, double deltaT) : t0_(centre) {
    astro::Vec3 moon[3], sun[3];
    for (int i = 0; i < 3; ++i) {
      const double tt = ephemeris::terrestrial(centre + (i - 1) * kHalfSpan, deltaT);
      moon[i] = ephemeris::moonVector(tt);
      sun[i] = ephemeris::sunVector(tt);
    }
    // Axes on the plane across the middle sample's axis, kept for all
    // three: the axis turns a tenth of a degree between them, which moves
    // the Moon's place on the plane by far less than a milliarcsecond.
    const astro::Vec3 middle = scaled(sun[1], -1 / std::sqrt(dot(sun[1], sun[1])));
    astro::Vec3 e1 = cross(astro::Vec3{0, 0, 1}, middle);
    e1 = scaled(e1, 1 / std::sqrt(dot(e1, e1)));
    const astro::Vec3 e2 = cross(middle, e1);
    for (int i = 0; i < 3; ++i) {
      const double moonKm = std::sqrt(dot(moon[i], moon[i]));
      const double sunKm = std::sqrt(dot(sun[i], sun[i]));
      const astro::Vec3 axis = scaled(sun[i], -1 / sunKm);
      const astro::Vec3 m = scaled(moon[i], 1 / moonKm);
      // The Moon's direction less its part along the axis: the sine of its
      // distance from the axis, on the plane's axes.
      const double along = dot(m, axis);
      const astro::Vec3 p{m.x - axis.x * along, m.y - axis.y * along, m.z - axis.z * along};
      x_[i] = dot(p, e1);
      y_[i] = dot(p, e2);
      km_[i] = moonKm;
      radii_[i] = shadowRadii(moonKm, sunKm);
    }
  }
  double separation(double jd) const {
    const double u = (jd - t0_) / kHalfSpan;
    const double s = std::hypot(at(u, x_), at(u, y_));
    return std::asin(std::min(1.0, s)) / kRad;
  }
  ShadowRadii radii(double jd) const {
    const double u = (jd - t0_) / kHalfSpan;
    auto pick = [&](double ShadowRadii::*r) {
      const double v[3] = {radii_[0].*r, radii_[1].*r, radii_[2].*r};
      return at(u, v);
    };
    return {pick(&ShadowRadii::penumbra), pick(&ShadowRadii::umbra), pick(&ShadowRadii::moon)};
  }
  // The greatest eclipse, as the canons define it: the Moon's centre
  // nearest to the shadow's axis in km (gamma), not in angle, which the
  // Moon's changing distance moves by up to half a minute in a grazing
  // eclipse. Newton's steps on the quadratics, the derivatives by
  // differences.
  double greatest() const {
    auto gamma2 = [this](double u) {
      const double x = at(u, x_), y = at(u, y_), d = at(u, km_);
      return (x * x + y * y) * d * d;
    };
    const double h = 1e-3;
    double u = 0;
    for (int i = 0; i < 20; ++i) {
      const double gm = gamma2(u - h), g0 = gamma2(u), gp = gamma2(u + h);
      const double second = gp - 2 * g0 + gm;
      if (second <= 0) break;
      const double du = -(gp - gm) / 2 * h / second;
      u += du;
      if (std::fabs(du) * kHalfSpan < 1e-4 * kSecondDays) break;
    }
    return t0_ + u * kHalfSpan;
  }

  // The instants around `middle` where the separation equals the radius
  // `radius` gives; none when it stays below.
  template <typename Radius>
  void contacts(double middle, Radius radius, std::optional<double>& begin,
                std::optional<double>& end) const {
    auto g = [&](double jd) { return separation(jd) - radius(radii(jd)); };
    const double g0 = g(middle);
    if (g0 >= 0) return;
    for (int side : {-1, 1}) {
      double far = middle + side * 0.05, gf = g(far);
      double inner = middle, gi = g0;
      for (int i = 0; i < 8 && gf < 0; ++i) {
        inner = far;
        gi = gf;
        far = middle + side * 0.05 * (i + 2);
        gf = g(far);
      }
      (side < 0 ? begin : end) = findRoot(g, inner, gi, far, gf, 1e-3 * kSecondDays);
    }
  }

 private:
  static constexpr double kHalfSpan = 0.15;  // days
  // The quadratic through the samples at u = -1, 0, 1, its slope and its
  // second derivative.
  static double at(double u, const double v[3]) {
    return v[1] + u * (v[2] - v[0]) / 2 + u * u * ((v[2] + v[0]) / 2 - v[1]);
  }
  double t0_;
  double x_[3], y_[3], km_[3];
  ShadowRadii radii_[3];
};

// The eclipse at the full moon `full` (predicted by the series), if any.
std::optional<Event> eclipseAt(double full, double deltaT) {
  const double t0 = centuries(full, deltaT);
  if (std::fabs(moonLatitudeSum(t0)) > kEclipseLatitudeLimit) return std::nullopt;
  // Near opposition the Moon crosses the shadow on a nearly straight line:
  // the series' closest approach of that line, taken again where it points.
  double t = full;
  for (int i = 0; i < 6; ++i) {
    const double h = 0.004;
    const ShadowOffset p0 = seriesOffset(t, deltaT), p1 = seriesOffset(t + h, deltaT);
    const double vx = (p1.x - p0.x) / h, vy = (p1.y - p0.y) / h;
    const double v2 = vx * vx + vy * vy;
    const double dt = -(p0.x * vx + p0.y * vy) / v2;
    t += dt;
    if (std::fabs(dt) < 1.0 * kSecondDays) break;
  }
  {
    const double ts = centuries(t, deltaT);
    const ShadowOffset p = seriesOffset(t, deltaT);
    const ShadowRadii r = shadowRadii(moonDistanceKm(moonParallaxSum(ts)),
                                      sunDistanceSum(ts) * astro::kAuKm);
    if ((r.penumbra + r.moon - std::hypot(p.x, p.y)) / (2 * r.moon) < kSeriesMagnitudeMargin)
      return std::nullopt;
  }
  const LocalShadow local(t, deltaT);
  Eclipse e;
  e.greatest = local.greatest();
  const double sigma = local.separation(e.greatest);
  const ShadowRadii r = local.radii(e.greatest);
  e.umbralMagnitude = (r.umbra + r.moon - sigma) / (2 * r.moon);
  e.penumbralMagnitude = (r.penumbra + r.moon - sigma) / (2 * r.moon);
  if (e.penumbralMagnitude <= 0) return std::nullopt;
  const double g = e.greatest;
  local.contacts(g, [](const ShadowRadii& x) { return x.penumbra + x.moon; }, e.penumbralBegin,
                 e.penumbralEnd);
  local.contacts(g, [](const ShadowRadii& x) { return x.umbra + x.moon; }, e.partialBegin,
                 e.partialEnd);
  local.contacts(g, [](const ShadowRadii& x) { return x.umbra - x.moon; }, e.totalBegin,
                 e.totalEnd);
  const EventKind kind = e.umbralMagnitude >= 1  ? EventKind::TotalEclipse
                         : e.umbralMagnitude > 0 ? EventKind::PartialEclipse
                                                 : EventKind::PenumbralEclipse;
  return Event{kind, g, e.umbralMagnitude, e};
}

// Mean phases numbered in quarters from the new moon of January 2000.
double meanPhaseUt(long long quarter, double deltaT) {
  return kNewMoonEpoch + kSynodicMonth * (static_cast<double>(quarter) / 4) - deltaT / 86400;
}

// The mean phase with its two largest periodic terms, the Moon's and the
// Sun's equations of the centre (as in Meeus, Astronomical Algorithms,
// ch. 49): within an hour or two of the true phase, where the mean one
// strays up to 14 hours, which saves the series a step.
double phaseGuess(long long quarter, double deltaT) {
  const double k = static_cast<double>(quarter) / 4;
  const double sunAnomaly = (2.5534 + 29.10535670 * k) * kRad;
  const double moonAnomaly = (201.5643 + 385.81693528 * k) * kRad;
  double c = 0;
  switch (((quarter % 4) + 4) % 4) {
    case 0:
      c = -0.40720 * std::sin(moonAnomaly) + 0.17241 * std::sin(sunAnomaly);
      break;
    case 2:
      c = -0.40614 * std::sin(moonAnomaly) + 0.17302 * std::sin(sunAnomaly);
      break;
    default:
      c = -0.62801 * std::sin(moonAnomaly) + 0.17172 * std::sin(sunAnomaly);
      break;
  }
  return meanPhaseUt(quarter, deltaT) + c;
}

// How far a true phase strays from the mean one (about 14 hours), with
// room: a mean phase further outside a span has its phase outside too.
constexpr double kPhaseStray = 1.0;

long long firstQuarterIndex(double fromJd) {
  // Two quarters early: a true phase strays up to about 14 hours.
  return static_cast<long long>(std::floor((fromJd - kNewMoonEpoch) / kSynodicMonth * 4)) - 2;
}

void addEclipses(double fromJd, double toJd, double deltaT, std::vector<Event>& out) {
  for (long long q = firstQuarterIndex(fromJd);; ++q) {
    if (((q % 4) + 4) % 4 != 2) continue;
    const double mean = meanPhaseUt(q, deltaT);
    if (mean > toJd + 2) break;
    const double k = static_cast<double>(q) / 4;
    const double f = 160.7108 + 390.67050284 * k;
    if (std::fabs(std::sin(f * kRad)) > kEclipseMeanScreen) continue;
    const std::optional<Event> e = eclipseAt(phaseInstant(mean, 180, deltaT), deltaT);
    if (e && e->jd >= fromJd && e->jd < toJd) out.push_back(*e);
  }
}

}  // namespace

bool yearSupported(int year) { return year >= kFirstYear && year <= kLastYear; }

bool isSolarEclipse(EventKind kind) {
  return kind == EventKind::PartialSolarEclipse || kind == EventKind::AnnularSolarEclipse ||
         kind == EventKind::TotalSolarEclipse || kind == EventKind::HybridSolarEclipse;
}

std::vector<double> newMoons(double fromJd, double toJd, double deltaT) {
  std::vector<double> out;
  for (long long q = firstQuarterIndex(fromJd);; ++q) {
    if (((q % 4) + 4) % 4 != 0) continue;
    const double mean = meanPhaseUt(q, deltaT);
    if (mean > toJd + 2) break;
    if (mean < fromJd - kPhaseStray || mean > toJd + kPhaseStray) continue;
    const double jd = quarterInstant(phaseGuess(q, deltaT), 0, deltaT);
    if (jd >= fromJd && jd < toJd) out.push_back(jd);
  }
  return out;
}

std::vector<Event> lunarEclipses(double fromJd, double toJd, double deltaT) {
  std::vector<Event> out;
  addEclipses(fromJd, toJd, deltaT, out);
  return out;
}

std::vector<Event> quarters(double fromJd, double toJd, double deltaT) {
  std::vector<Event> out;
  static constexpr EventKind kQuarters[] = {EventKind::NewMoon, EventKind::FirstQuarter,
                                            EventKind::FullMoon, EventKind::LastQuarter};
  for (long long q = firstQuarterIndex(fromJd);; ++q) {
    const double mean = meanPhaseUt(q, deltaT);
    if (mean > toJd + 2) break;
    if (mean < fromJd - kPhaseStray || mean > toJd + kPhaseStray) continue;
    const int quarter = static_cast<int>(((q % 4) + 4) % 4);
    const double jd = quarterInstant(phaseGuess(q, deltaT), 90.0 * quarter, deltaT);
    if (jd >= fromJd && jd < toJd) out.push_back({kQuarters[quarter], jd, 0, std::nullopt});
  }
  return out;
}

std::vector<Event> events(double fromJd, double toJd, double deltaT) {
  std::vector<Event> out = quarters(fromJd, toJd, deltaT);
  const long long firstHalf =
      static_cast<long long>(std::floor((fromJd - kPerigeeEpoch) / kAnomalisticMonth * 2)) - 2;
  for (long long h = firstHalf;; ++h) {
    const double mean =
        kPerigeeEpoch + kAnomalisticMonth * (static_cast<double>(h) / 2) - deltaT / 86400;
    if (mean > toJd + 4) break;
    const bool perigee = ((h % 2) + 2) % 2 == 0;
    double km = 0;
    const double jd = apsisInstant(mean, perigee, deltaT, km);
    if (jd >= fromJd && jd < toJd) {
      out.push_back({perigee ? EventKind::Perigee : EventKind::Apogee, jd, km, std::nullopt});
    }
  }
  addEclipses(fromJd, toJd, deltaT, out);
  for (const solar::Eclipse& e : solar::eclipses(fromJd, toJd, deltaT)) {
    static constexpr EventKind kKinds[] = {
        EventKind::PartialSolarEclipse, EventKind::AnnularSolarEclipse,
        EventKind::TotalSolarEclipse, EventKind::HybridSolarEclipse};
    out.push_back({kKinds[static_cast<int>(e.kind)], e.greatest, e.magnitude, std::nullopt});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Event& a, const Event& b) { return a.jd < b.jd; });
  return out;
}

}  // namespace velmar::almanac
