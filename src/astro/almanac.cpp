// Rising, transit and setting for the monthly table. The body's geocentric
// vector is sampled from the series every few hours and interpolated in
// between, so that the many evaluations of a root search cost a few
// multiplications; the samples sit at fixed instants, so a day's times do
// not depend on the span asked for.
#include "astro/almanac.h"

#include <algorithm>
#include <cmath>

#include "astro/roots.h"

namespace velmar::almanac {

namespace {

using astro::Vec3;

constexpr double kSecondDays = 1.0 / 86400;
// The upper limb on a sea-level horizon: 34' of refraction below it.
constexpr double kHorizon = -34.0 / 60;

using astro::dateOfDayNumber;
using astro::dayNumberOfDate;

// Whole units of `unit` seconds since the JST day number's start.
long long jstUnits(double jdUt, double unit) {
  return std::llround((jdUt + 0.5 + astro::kJstDays) * (86400 / unit));
}

JstTime jstFromSeconds(long long s) {
  const long long day = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
  const long long rest = s - day * 86400;
  const Date d = dateOfDayNumber(day);
  return {d.year,
          d.month,
          d.day,
          static_cast<int>(rest / 3600),
          static_cast<int>(rest / 60 % 60),
          static_cast<int>(rest % 60)};
}

// A geocentric vector sampled at fixed instants and interpolated by the
// four samples around an instant (Lagrange, cubic).
class Track {
 public:
  Track(Vec3 (*body)(double t), double step, double from, double to, double deltaT) : step_(step) {
    first_ = static_cast<long long>(std::floor(from / step)) - 1;
    const long long last = static_cast<long long>(std::floor(to / step)) + 2;
    for (long long k = first_; k <= last; ++k)
      nodes_.push_back(body(astro::centuries(static_cast<double>(k) * step, deltaT)));
  }

  Vec3 at(double jd) const {
    const double u = jd / step_;
    long long k = static_cast<long long>(std::floor(u));
    const double p = u - static_cast<double>(k);
    k = std::clamp<long long>(k, first_ + 1, first_ + static_cast<long long>(nodes_.size()) - 3);
    const Vec3* n = &nodes_[static_cast<size_t>(k - 1 - first_)];
    const double w0 = -p * (p - 1) * (p - 2) / 6;
    const double w1 = (p + 1) * (p - 1) * (p - 2) / 2;
    const double w2 = -(p + 1) * p * (p - 2) / 2;
    const double w3 = (p + 1) * p * (p - 1) / 6;
    return {w0 * n[0].x + w1 * n[1].x + w2 * n[2].x + w3 * n[3].x,
            w0 * n[0].y + w1 * n[1].y + w2 * n[2].y + w3 * n[3].y,
            w0 * n[0].z + w1 * n[1].z + w2 * n[2].z + w3 * n[3].z};
  }

 private:
  double step_;
  long long first_ = 0;
  std::vector<Vec3> nodes_;
};

struct Crossings {
  struct Rise {
    double jd, azimuth;
  };
  struct Transit {
    double jd, altitude;
  };
  std::vector<Rise> rises, sets;
  std::vector<Transit> transits;
};

// Every rising, setting and upper transit between from and to. Between two
// meridian passages the altitude only climbs or only falls, so each such
// stretch holds at most one rising or setting.
Crossings riseTransitSet(const Track& track, double radiusKm, double hourRate,
                         const astro::Site& site, double from, double to, double deltaT) {
  auto seen = [&](double jd) {
    const double t = astro::centuries(jd, deltaT);
    const double st = astro::apparentSiderealTime(jd, t, astro::nutation(t));
    return astro::topocentric(track.at(jd), st, site);
  };
  auto height = [&](const astro::Topocentric& p) {
    return p.altitude - kHorizon + astro::semidiameter(radiusKm, p.distance);
  };
  // The meridian passage (upper when `target` is 0, lower at 180) nearest
  // after `jd`'s estimate.
  auto passage = [&](double jd, double target) {
    for (int i = 0; i < 10; ++i) {
      double e = std::fmod(seen(jd).hourAngle - target, 360.0);
      if (e > 180) e -= 360;
      if (e <= -180) e += 360;
      const double dt = -e / hourRate;
      jd += dt;
      if (std::fabs(dt) < 1e-3 * kSecondDays) break;
    }
    return jd;
  };

  Crossings out;
  double start = from - 0.6;
  const double h0 = seen(start).hourAngle;
  double target = h0 < 0 ? 0 : 180;
  double jd = passage(start + (target - h0) / hourRate, target);
  astro::Topocentric p = seen(jd);
  double f = height(p);
  while (jd < to) {
    if (target == 0 && jd >= from)
      out.transits.push_back({jd, p.altitude + astro::refraction(p.altitude)});
    const double nextTarget = 180 - target;
    double next = passage(jd + 180 / hourRate, nextTarget);
    // Each passage must lie ahead of the last, or the walk would not end.
    if (!(next > jd + 0.25)) next = jd + 180 / hourRate;
    const astro::Topocentric q = seen(next);
    const double g = height(q);
    if ((f < 0) != (g < 0)) {
      auto h = [&](double x) { return height(seen(x)); };
      const double at = findRoot(h, jd, f, next, g, 0.01 * kSecondDays);
      if (at >= from && at < to) {
        const Crossings::Rise r{at, seen(at).azimuth};
        (g > f ? out.rises : out.sets).push_back(r);
      }
    }
    jd = next;
    p = q;
    f = g;
    target = nextTarget;
  }
  return out;
}

// The first time in each day of the table, with its angle.
template <typename Item, typename Put>
void firstOfDay(const std::vector<Item>& items, long long firstDay, size_t days, Put put) {
  std::vector<bool> done(days, false);
  for (const Item& it : items) {
    const long long day = jstUnits(it.jd, 1) / 86400 - firstDay;
    if (day < 0 || day >= static_cast<long long>(days) || done[static_cast<size_t>(day)]) continue;
    done[static_cast<size_t>(day)] = true;
    put(static_cast<size_t>(day), it);
  }
}

}  // namespace

JstTime jstOf(double jdUt) { return jstFromSeconds(jstUnits(jdUt, 1)); }

JstTime jstMinuteOf(double jdUt) { return jstFromSeconds(jstUnits(jdUt, 60) * 60); }

double jdOfJst(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<double>(dayNumberOfDate(year, month, day)) - 0.5 - astro::kJstDays +
         (hour * 3600.0 + minute * 60.0 + second) / 86400;
}

std::vector<DayRow> month(int year, int month, const astro::Site& site, double deltaT) {
  if (!yearSupported(year) || month < 1 || month > 12) return {};
  const long long firstDay = dayNumberOfDate(year, month, 1);
  const long long endDay =
      month == 12 ? dayNumberOfDate(year + 1, 1, 1) : dayNumberOfDate(year, month + 1, 1);
  const size_t days = static_cast<size_t>(endDay - firstDay);
  const double from = jdOfJst(year, month, 1, 0, 0, 0);
  const double to = from + static_cast<double>(days);

  std::vector<DayRow> rows(days);
  for (size_t i = 0; i < days; ++i)
    rows[i].date = dateOfDayNumber(firstDay + static_cast<long long>(i));

  // The Moon every 6 hours; the Sun, slower and smoother, every day.
  const Track moon(astro::moonVector, 0.25, from - 1.5, to + 1.5, deltaT);
  const Track sun(astro::sunVector, 1.0, from - 1.5, to + 1.5, deltaT);
  const Crossings m = riseTransitSet(moon, astro::kMoonRadiusKm, 347.81, site, from, to, deltaT);
  const Crossings s = riseTransitSet(sun, astro::kSunRadiusKm, 360.0, site, from, to, deltaT);
  firstOfDay(m.rises, firstDay, days, [&](size_t d, const Crossings::Rise& r) {
    rows[d].moonrise = r.jd;
    rows[d].moonriseAzimuth = r.azimuth;
  });
  firstOfDay(m.sets, firstDay, days, [&](size_t d, const Crossings::Rise& r) {
    rows[d].moonset = r.jd;
    rows[d].moonsetAzimuth = r.azimuth;
  });
  firstOfDay(m.transits, firstDay, days, [&](size_t d, const Crossings::Transit& r) {
    rows[d].transit = r.jd;
    rows[d].transitAltitude = r.altitude;
  });
  firstOfDay(s.rises, firstDay, days,
             [&](size_t d, const Crossings::Rise& r) { rows[d].sunrise = r.jd; });
  firstOfDay(s.sets, firstDay, days,
             [&](size_t d, const Crossings::Rise& r) { rows[d].sunset = r.jd; });

  // The events from the new moon before the first noon; an event shown as
  // 00:00 of the next day belongs there.
  const std::vector<Event> ev = events(from - 31, to, deltaT);
  for (const Event& e : ev) {
    const long long day = jstUnits(e.jd, 60) * 60 / 86400 - firstDay;
    if (day >= 0 && day < static_cast<long long>(days))
      rows[static_cast<size_t>(day)].events.push_back(e);
  }
  for (size_t i = 0; i < days; ++i) {
    const double noon = from + static_cast<double>(i) + 0.5;
    double newMoon = 0;
    for (const Event& e : ev)
      if (e.kind == EventKind::NewMoon && e.jd <= noon) newMoon = e.jd;
    rows[i].noonAge = noon - newMoon;
  }
  return rows;
}

}  // namespace velmar::almanac
