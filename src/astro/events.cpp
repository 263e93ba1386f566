// Quarters, apsides and lunar eclipses: each predicted from the mean
// motions, then refined on the series to a small fraction of a second.
#include <algorithm>
#include <cmath>

#include "astro/almanac.h"
#include "astro/roots.h"
#include "astro/series.h"

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

// The Earth's shadow is cast by a sphere of the mean radius enlarged by
// 88 km for the atmosphere (Danjon).
constexpr double kShadowEarthKm = 6371 + 88;
// A full moon further than this from the ecliptic escapes even the
// penumbra: penumbral radius plus the Moon's, at their largest, with room.
constexpr double kEclipseLatitudeLimit = 1.65;
// The same screen on the mean argument of latitude, before any series.
constexpr double kEclipseMeanScreen = 0.40;

constexpr double kSecondDays = 1.0 / 86400;

double wrap180(double x) {
  double r = std::fmod(x, 360.0);
  if (r > 180) r -= 360;
  if (r <= -180) r += 360;
  return r;
}

// The instant (UT) when the elongation is `target` degrees, near `guess`.
double phaseInstant(double guess, double target, double deltaT) {
  auto f = [&](double jd) { return wrap180(astro::elongation(centuries(jd, deltaT)) - target); };
  double t0 = guess, f0 = f(t0);
  double t1 = t0 - f0 / kElongationRate;
  for (int i = 0; i < 12; ++i) {
    const double f1 = f(t1);
    if (f1 == f0) break;
    const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
    t0 = t1;
    f0 = f1;
    t1 = t2;
    if (std::fabs(t1 - t0) < 1e-3 * kSecondDays) break;
  }
  return t1;
}

// The extremum of the parallax near `guess`: a maximum for perigee.
double apsisInstant(double guess, bool perigee, double deltaT) {
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
  return findRoot(rate, a, fa, b, fb, 1e-3 * kSecondDays);
}

// The Moon against the anti-Sun: the separation's components, degrees.
struct ShadowOffset {
  double x, y;
};
ShadowOffset shadowOffset(double jd, double deltaT) {
  const double t = centuries(jd, deltaT);
  const double beta = moonLatitudeSum(t);
  const double dl = wrap180(astro::elongation(t) - 180);
  return {dl * std::cos(beta * kRad), beta};
}

double separation(double jd, double deltaT) {
  const double t = centuries(jd, deltaT);
  const double beta = moonLatitudeSum(t) * kRad;
  const double dl = wrap180(astro::elongation(t) - 180) * kRad;
  const double sb = std::sin(beta / 2), sl = std::sin(dl / 2);
  return 2 * std::asin(std::sqrt(sb * sb + std::cos(beta) * sl * sl)) / kRad;
}

struct ShadowRadii {
  double penumbra, umbra, moon;
};
ShadowRadii shadowRadii(double jd, double deltaT) {
  const double t = centuries(jd, deltaT);
  const double moon = moonDistanceKm(moonParallaxSum(t));
  const double sun = sunDistanceSum(t) * astro::kAuKm;
  const double moonParallax = std::asin(kShadowEarthKm / moon) / kRad;
  const double sunParallax = std::asin(kShadowEarthKm / sun) / kRad;
  const double sunRadius = astro::semidiameter(astro::kSunRadiusKm, sun);
  return {moonParallax + sunParallax + sunRadius, moonParallax + sunParallax - sunRadius,
          astro::semidiameter(astro::kMoonRadiusKm, moon)};
}

// The shadow's neighbourhood of the greatest eclipse, from the series at
// three instants: the Moon's offset and the radii, quadratic in time. Over
// the few hours of an eclipse this is good to a small fraction of an
// arcsecond, and the contacts need no further series.
class LocalShadow {
 public:
  LocalShadow(double greatest, double deltaT) : t0_(greatest) {
    for (int i = 0; i < 3; ++i) {
      const double jd = greatest + (i - 1) * kHalfSpan;
      off_[i] = shadowOffset(jd, deltaT);
      radii_[i] = shadowRadii(jd, deltaT);
    }
  }
  double separation(double jd) const {
    return std::hypot(at(jd, [this](int i) { return off_[i].x; }),
                      at(jd, [this](int i) { return off_[i].y; }));
  }
  double penumbra(double jd) const {
    return at(jd, [this](int i) { return radii_[i].penumbra; });
  }
  double umbra(double jd) const {
    return at(jd, [this](int i) { return radii_[i].umbra; });
  }
  double moon(double jd) const {
    return at(jd, [this](int i) { return radii_[i].moon; });
  }

  // The instants around the greatest eclipse where the separation equals
  // the radius `radius` gives; none when it stays below.
  template <typename Radius>
  void contacts(Radius radius, std::optional<double>& begin, std::optional<double>& end) const {
    auto g = [&](double jd) { return separation(jd) - radius(jd); };
    const double g0 = g(t0_);
    if (g0 >= 0) return;
    for (int side : {-1, 1}) {
      double far = t0_ + side * 0.05, gf = g(far);
      double inner = t0_, gi = g0;
      for (int i = 0; i < 8 && gf < 0; ++i) {
        inner = far;
        gi = gf;
        far = t0_ + side * 0.05 * (i + 2);
        gf = g(far);
      }
      (side < 0 ? begin : end) = findRoot(g, inner, gi, far, gf, 1e-3 * kSecondDays);
    }
  }

 private:
  static constexpr double kHalfSpan = 0.15;  // days
  template <typename F>
  double at(double jd, F value) const {
    const double u = (jd - t0_) / kHalfSpan;
    return value(1) + u * (value(2) - value(0)) / 2 +
           u * u * ((value(2) + value(0)) / 2 - value(1));
  }
  double t0_;
  ShadowOffset off_[3];
  ShadowRadii radii_[3];
};

// The eclipse at the full moon `full`, if any.
std::optional<Event> eclipseAt(double full, double deltaT) {
  if (std::fabs(moonLatitudeSum(centuries(full, deltaT))) > kEclipseLatitudeLimit)
    return std::nullopt;
  // Near opposition the Moon crosses the shadow on a nearly straight line:
  // the closest approach of that line, taken again where it points to.
  double t = full;
  for (int i = 0; i < 6; ++i) {
    const double h = 0.004;
    const ShadowOffset p0 = shadowOffset(t, deltaT), p1 = shadowOffset(t + h, deltaT);
    const double vx = (p1.x - p0.x) / h, vy = (p1.y - p0.y) / h;
    const double v2 = vx * vx + vy * vy;
    const double dt = -(p0.x * vx + p0.y * vy) / v2;
    t += dt;
    if (std::fabs(dt) < 1e-3 * kSecondDays) break;
  }
  const double sigma = separation(t, deltaT);
  const ShadowRadii r = shadowRadii(t, deltaT);
  Eclipse e;
  e.greatest = t;
  e.umbralMagnitude = (r.umbra + r.moon - sigma) / (2 * r.moon);
  e.penumbralMagnitude = (r.penumbra + r.moon - sigma) / (2 * r.moon);
  if (e.penumbralMagnitude <= 0) return std::nullopt;
  const LocalShadow local(t, deltaT);
  local.contacts([&](double jd) { return local.penumbra(jd) + local.moon(jd); }, e.penumbralBegin,
                 e.penumbralEnd);
  local.contacts([&](double jd) { return local.umbra(jd) + local.moon(jd); }, e.partialBegin,
                 e.partialEnd);
  local.contacts([&](double jd) { return local.umbra(jd) - local.moon(jd); }, e.totalBegin,
                 e.totalEnd);
  const EventKind kind = e.umbralMagnitude >= 1  ? EventKind::TotalEclipse
                         : e.umbralMagnitude > 0 ? EventKind::PartialEclipse
                                                 : EventKind::PenumbralEclipse;
  return Event{kind, t, e.umbralMagnitude, e};
}

// Mean phases numbered in quarters from the new moon of January 2000.
double meanPhaseUt(long long quarter, double deltaT) {
  return kNewMoonEpoch + kSynodicMonth * (static_cast<double>(quarter) / 4) - deltaT / 86400;
}

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

std::vector<Event> lunarEclipses(double fromJd, double toJd, double deltaT) {
  std::vector<Event> out;
  addEclipses(fromJd, toJd, deltaT, out);
  return out;
}

std::vector<Event> events(double fromJd, double toJd, double deltaT) {
  std::vector<Event> out;
  static constexpr EventKind kQuarters[] = {EventKind::NewMoon, EventKind::FirstQuarter,
                                            EventKind::FullMoon, EventKind::LastQuarter};
  for (long long q = firstQuarterIndex(fromJd);; ++q) {
    const double mean = meanPhaseUt(q, deltaT);
    if (mean > toJd + 2) break;
    const int quarter = static_cast<int>(((q % 4) + 4) % 4);
    const double jd = phaseInstant(mean, 90.0 * quarter, deltaT);
    if (jd >= fromJd && jd < toJd) out.push_back({kQuarters[quarter], jd, 0, std::nullopt});
  }
  const long long firstHalf =
      static_cast<long long>(std::floor((fromJd - kPerigeeEpoch) / kAnomalisticMonth * 2)) - 2;
  for (long long h = firstHalf;; ++h) {
    const double mean =
        kPerigeeEpoch + kAnomalisticMonth * (static_cast<double>(h) / 2) - deltaT / 86400;
    if (mean > toJd + 4) break;
    const bool perigee = ((h % 2) + 2) % 2 == 0;
    const double jd = apsisInstant(mean, perigee, deltaT);
    if (jd >= fromJd && jd < toJd) {
      const double km = moonDistanceKm(moonParallaxSum(centuries(jd, deltaT)));
      out.push_back({perigee ? EventKind::Perigee : EventKind::Apogee, jd, km, std::nullopt});
    }
  }
  addEclipses(fromJd, toJd, deltaT, out);
  std::stable_sort(out.begin(), out.end(),
                   [](const Event& a, const Event& b) { return a.jd < b.jd; });
  return out;
}

}  // namespace velmar::almanac
