// Quarters, apsides and lunar eclipses: each predicted from the mean
// motions, then refined on the series to a small fraction of a second.
#include <algorithm>
#include <cmath>

#include "engine/almanac.h"
#include "engine/roots.h"
#include "engine/series.h"

namespace velmar::almanac {

namespace {

using astro::centuries;

constexpr double kPi = 3.14159265358979323846;
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

// The two instants around `greatest` when the separation equals a radius
// that the function gives for each instant; none when it never does.
template <typename Radius>
void contacts(double greatest, double speed, double deltaT, Radius radius,
              std::optional<double>& begin, std::optional<double>& end) {
  const double least = separation(greatest, deltaT);
  const double r = radius(greatest);
  if (least >= r) return;
  auto g = [&](double jd) { return separation(jd, deltaT) - radius(jd); };
  const double half = std::sqrt(r * r - least * least) / speed;
  for (int side : {-1, 1}) {
    // The straight-line estimate, widened until it brackets the contact.
    double inner = greatest, far = greatest + side * (half * 1.2 + 0.002);
    double gf = g(far);
    for (int i = 0; i < 8 && gf < 0; ++i) {
      inner = far;
      far = greatest + side * (std::fabs(far - greatest) * 1.5);
      gf = g(far);
    }
    const double at = findRoot(g, inner, g(inner), far, gf, 1e-3 * kSecondDays);
    (side < 0 ? begin : end) = at;
  }
}

// The eclipse at the full moon `full`, if any.
std::optional<Event> eclipseAt(double full, double deltaT) {
  if (std::fabs(moonLatitudeSum(centuries(full, deltaT))) > kEclipseLatitudeLimit)
    return std::nullopt;
  // Near opposition the Moon crosses the shadow on a nearly straight line:
  // the closest approach of that line, taken again where it points to.
  double t = full;
  double speed = 0;
  for (int i = 0; i < 6; ++i) {
    const double h = 0.004;
    const ShadowOffset p0 = shadowOffset(t, deltaT), p1 = shadowOffset(t + h, deltaT);
    const double vx = (p1.x - p0.x) / h, vy = (p1.y - p0.y) / h;
    const double v2 = vx * vx + vy * vy;
    speed = std::sqrt(v2);
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
  contacts(
      t, speed, deltaT,
      [&](double jd) {
        const ShadowRadii x = shadowRadii(jd, deltaT);
        return x.penumbra + x.moon;
      },
      e.penumbralBegin, e.penumbralEnd);
  contacts(
      t, speed, deltaT,
      [&](double jd) {
        const ShadowRadii x = shadowRadii(jd, deltaT);
        return x.umbra + x.moon;
      },
      e.partialBegin, e.partialEnd);
  contacts(
      t, speed, deltaT,
      [&](double jd) {
        const ShadowRadii x = shadowRadii(jd, deltaT);
        return x.umbra - x.moon;
      },
      e.totalBegin, e.totalEnd);
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
