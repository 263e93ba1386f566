// Rising, transit and setting for the monthly table. The body's geocentric
// vector is sampled from the precise ephemeris every few hours and
// interpolated in between (cubic, good to a few milliarcseconds for the
// Moon at six hours), so that the many evaluations of a root search cost a
// few multiplications instead of a position each; the samples sit at
// fixed instants, so a day's times do not depend on the span asked for.
//
// Why not the library's swe_rise_trans: it searches every event from a
// cold start with full positions, some forty per event, which makes a
// month several times slower than these samples; and the times here are
// the same to well under a second.
#include "astro/almanac.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

#include "astro/ephemeris.h"
#include "astro/koyomi.h"
#include "astro/roots.h"

namespace velmar::almanac {

namespace {

using astro::Vec3;

constexpr double kSecondDays = 1.0 / 86400;
// The upper limb on a sea-level horizon: 34' of refraction below it.
constexpr double kHorizon = -34.0 / 60;

using astro::dateOfDayNumber;
using astro::dayNumberOfDate;

// Seconds since the start of the JST day number 0, cut down to whole
// seconds, and the fraction left.
long long jstSeconds(double jdUt, double& fraction) {
  const double x = (jdUt + 0.5 + astro::kJstDays) * 86400;
  const double whole = std::floor(x);
  fraction = x - whole;
  return static_cast<long long>(whole);
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

// Values sampled at fixed instants and interpolated by the four samples
// around an instant (Lagrange, cubic).
template <typename Value>
class Track {
 public:
  template <typename Sample>
  Track(Sample sample, double step, double from, double to) : step_(step) {
    first_ = static_cast<long long>(std::floor(from / step)) - 1;
    const long long last = static_cast<long long>(std::floor(to / step)) + 2;
    for (long long k = first_; k <= last; ++k) nodes_.push_back(sample(static_cast<double>(k) * step));
  }

  Value at(double jd) const {
    const double u = jd / step_;
    long long k = static_cast<long long>(std::floor(u));
    const double p = u - static_cast<double>(k);
    k = std::clamp<long long>(k, first_ + 1, first_ + static_cast<long long>(nodes_.size()) - 3);
    const Value* n = &nodes_[static_cast<size_t>(k - 1 - first_)];
    const double w[4] = {-p * (p - 1) * (p - 2) / 6, (p + 1) * (p - 1) * (p - 2) / 2,
                         -(p + 1) * p * (p - 2) / 2, (p + 1) * p * (p - 1) / 6};
    return mix(n, w);
  }

 private:
  static Vec3 mix(const Vec3* n, const double* w) {
    return {w[0] * n[0].x + w[1] * n[1].x + w[2] * n[2].x + w[3] * n[3].x,
            w[0] * n[0].y + w[1] * n[1].y + w[2] * n[2].y + w[3] * n[3].y,
            w[0] * n[0].z + w[1] * n[1].z + w[2] * n[2].z + w[3] * n[3].z};
  }
  static double mix(const double* n, const double* w) {
    return w[0] * n[0] + w[1] * n[1] + w[2] * n[2] + w[3] * n[3];
  }
  double step_;
  long long first_ = 0;
  std::vector<Value> nodes_;
};

// The Earth's turning in degrees per day of UT, near enough that the
// sidereal time's remainder is smooth.
constexpr double kSiderealRate = 360.98564736629;

// The Greenwich apparent sidereal time from the library, sampled daily as
// its remainder over the uniform turning and interpolated.
class SiderealTrack {
 public:
  SiderealTrack(double from, double to, double deltaT)
      : base_(std::floor(from)),
        start_(ephemeris::apparentSiderealTime(base_, deltaT)),
        rest_(
            [this, deltaT](double jd) {
              // Taken about the value at the start, so that the remainder
              // stays near zero and never wraps.
              const double turn = kSiderealRate * (jd - base_) + start_;
              double r = std::fmod(ephemeris::apparentSiderealTime(jd, deltaT) - turn, 360.0);
              if (r > 180) r -= 360;
              if (r <= -180) r += 360;
              return r;
            },
            1.0, from, to) {}
  double at(double jd) const { return start_ + kSiderealRate * (jd - base_) + rest_.at(jd); }

 private:
  double base_;
  double start_;
  Track<double> rest_;
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

// A body seen from the site through its samples.
class Sky {
 public:
  Sky(const Track<Vec3>& body, double radiusKm, const SiderealTrack& sidereal,
      const astro::Site& site)
      : body_(body), radiusKm_(radiusKm), sidereal_(sidereal), site_(site) {}
  astro::Topocentric seen(double jd) const {
    return astro::topocentric(body_.at(jd), sidereal_.at(jd), site_);
  }
  // The upper limb's height over the sea-level horizon with 34' of
  // refraction: positive while the body is up.
  double height(const astro::Topocentric& p) const {
    return p.altitude - kHorizon + astro::semidiameter(radiusKm_, p.distance);
  }
  double height(double jd) const { return height(seen(jd)); }

 private:
  const Track<Vec3>& body_;
  double radiusKm_;
  const SiderealTrack& sidereal_;
  astro::Site site_;
};

// Every rising, setting and upper transit between from and to. Between two
// meridian passages the altitude only climbs or only falls, so each such
// stretch holds at most one rising or setting.
Crossings riseTransitSet(const Sky& sky, double hourRate, double from, double to) {
  // The meridian passage (upper when `target` is 0, lower at 180) nearest
  // after `jd`'s estimate.
  auto passage = [&](double jd, double target) {
    for (int i = 0; i < 10; ++i) {
      double e = std::fmod(sky.seen(jd).hourAngle - target, 360.0);
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
  const double h0 = sky.seen(start).hourAngle;
  double target = h0 < 0 ? 0 : 180;
  double jd = passage(start + (target - h0) / hourRate, target);
  astro::Topocentric p = sky.seen(jd);
  double f = sky.height(p);
  while (jd < to) {
    if (target == 0 && jd >= from)
      out.transits.push_back({jd, p.altitude + astro::refraction(p.altitude)});
    const double nextTarget = 180 - target;
    double next = passage(jd + 180 / hourRate, nextTarget);
    // Each passage must lie ahead of the last, or the walk would not end.
    if (!(next > jd + 0.25)) next = jd + 180 / hourRate;
    const astro::Topocentric q = sky.seen(next);
    const double g = sky.height(q);
    if ((f < 0) != (g < 0)) {
      auto h = [&](double x) { return sky.height(x); };
      const double at = findRoot(h, jd, f, next, g, 0.01 * kSecondDays);
      if (at >= from && at < to) {
        const Crossings::Rise r{at, sky.seen(at).azimuth};
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

// The times of each day of the table, in order, with their angles.
template <typename Item, typename Put>
void byDay(const std::vector<Item>& items, long long firstDay, size_t days, Put put) {
  std::vector<int> seen(days, 0);
  for (const Item& it : items) {
    const long long day = jstDayNumber(it.jd) - firstDay;
    if (day < 0 || day >= static_cast<long long>(days)) continue;
    put(static_cast<size_t>(day), seen[static_cast<size_t>(day)]++, it);
  }
}

}  // namespace

JstTime jstOf(double jdUt) {
  double fraction = 0;
  long long s = jstSeconds(jdUt, fraction);
  // To the nearest second, but not across midnight.
  if (fraction >= 0.5 && (s + 1) % 86400 != 0) ++s;
  return jstFromSeconds(s);
}

JstTime jstMinuteOf(double jdUt) {
  double fraction = 0;
  const long long s = jstSeconds(jdUt, fraction);
  return jstFromSeconds(s - (s % 60 + 60) % 60);
}

long long jstDayNumber(double jdUt) {
  return static_cast<long long>(std::floor(jdUt + 0.5 + astro::kJstDays));
}

double jdOfJst(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<double>(dayNumberOfDate(year, month, day)) - 0.5 - astro::kJstDays +
         (hour * 3600.0 + minute * 60.0 + second) / 86400;
}

namespace {
// To a tenth of a second, so that the value a table states is the value it
// was computed with.
double tenths(double seconds) { return std::nearbyint(seconds * 10) / 10; }
}  // namespace

double measuredDeltaT(int year, int month) {
  return tenths(ephemeris::deltaT(jdOfJst(year, month, 16, 0, 0, 0)));
}

double measuredDeltaT(int year) { return tenths(ephemeris::deltaT(jdOfJst(year, 7, 2, 12, 0, 0))); }

namespace {

// The calendar of the year last asked for. Every month needs its whole
// year (the 旧暦 months begin at the winter solstice before it), and the
// 月の暦 pages through the months of one year: kept, the year is computed
// once instead of twelve times. One year and delta T only, bit for bit the
// same as computed anew. The program asks from its one window thread; the
// lock only keeps another caller (a test, a tool) from seeing it half
// replaced, and each caller holds its own reference while it reads.
std::shared_ptr<const koyomi::Year> yearCalendar(int year, double deltaT) {
  static std::mutex lock;
  static int keptYear = 0;
  static double keptDeltaT = 0;
  static std::shared_ptr<const koyomi::Year> kept;
  {
    const std::lock_guard<std::mutex> held(lock);
    if (kept && keptYear == year && keptDeltaT == deltaT) return kept;
  }
  auto computed = std::make_shared<const koyomi::Year>(koyomi::year(year, deltaT));
  const std::lock_guard<std::mutex> held(lock);
  keptYear = year;
  keptDeltaT = deltaT;
  kept = computed;
  return computed;
}

}  // namespace

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
  auto sampled = [deltaT](Vec3 (*body)(double)) {
    return [body, deltaT](double jd) { return body(ephemeris::terrestrial(jd, deltaT)); };
  };
  const Track<Vec3> moonTrack(sampled(ephemeris::moonVector), 0.25, from - 1.5, to + 1.5);
  const Track<Vec3> sunTrack(sampled(ephemeris::sunVector), 1.0, from - 1.5, to + 1.5);
  const SiderealTrack sidereal(from - 1.5, to + 1.5, deltaT);
  const Sky moon(moonTrack, astro::kMoonRadiusKm, sidereal, site);
  const Sky sun(sunTrack, astro::kSunRadiusKm, sidereal, site);
  const Crossings m = riseTransitSet(moon, 347.81, from, to);
  const Crossings s = riseTransitSet(sun, 360.0, from, to);
  byDay(m.rises, firstDay, days, [&](size_t d, int k, const Crossings::Rise& r) {
    if (k == 0) {
      rows[d].moonrise = r.jd;
      rows[d].moonriseAzimuth = r.azimuth;
    } else if (k == 1) {
      rows[d].secondMoonrise = r.jd;
      rows[d].secondMoonriseAzimuth = r.azimuth;
    }
  });
  byDay(m.sets, firstDay, days, [&](size_t d, int k, const Crossings::Rise& r) {
    if (k == 0) {
      rows[d].moonset = r.jd;
      rows[d].moonsetAzimuth = r.azimuth;
    } else if (k == 1) {
      rows[d].secondMoonset = r.jd;
      rows[d].secondMoonsetAzimuth = r.azimuth;
    }
  });
  byDay(m.transits, firstDay, days, [&](size_t d, int k, const Crossings::Transit& r) {
    if (k > 0) return;
    rows[d].transit = r.jd;
    rows[d].transitAltitude = r.altitude;
  });
  byDay(s.rises, firstDay, days, [&](size_t d, int k, const Crossings::Rise& r) {
    if (k == 0) rows[d].sunrise = r.jd;
  });
  byDay(s.sets, firstDay, days, [&](size_t d, int k, const Crossings::Rise& r) {
    if (k == 0) rows[d].sunset = r.jd;
  });
  // A day without a rising or a setting: the body stayed on one side of the
  // horizon all day, and the start of the day tells which.
  for (size_t i = 0; i < days; ++i) {
    DayRow& r = rows[i];
    const double start = from + static_cast<double>(i);
    if (!r.moonrise && !r.moonset)
      r.moonAllDay = moon.height(start) > 0 ? AllDay::Up : AllDay::Down;
    if (!r.sunrise && !r.sunset) r.sunAllDay = sun.height(start) > 0 ? AllDay::Up : AllDay::Down;
  }

  // The events, each in the row of its own day.
  for (const Event& e : events(from, to, deltaT)) {
    const long long day = jstDayNumber(e.jd) - firstDay;
    if (day >= 0 && day < static_cast<long long>(days))
      rows[static_cast<size_t>(day)].events.push_back(e);
  }
  const std::vector<double> news = newMoons(from - 31, to, deltaT);
  for (size_t i = 0; i < days; ++i) {
    const double noon = from + static_cast<double>(i) + 0.5;
    double newMoon = 0;
    for (const double jd : news)
      if (jd <= noon) newMoon = jd;
    rows[i].noonAge = noon - newMoon;
  }
  const std::shared_ptr<const koyomi::Year> kept = yearCalendar(year, deltaT);
  const koyomi::Year& calendar = *kept;
  for (size_t i = 0; i < days; ++i) {
    if (const auto d = koyomi::lunarDate(calendar.allMonths, firstDay + static_cast<long long>(i)))
      rows[i].lunar = *d;
  }
  for (const koyomi::Timed& t : calendar.timed) {
    const long long day = jstDayNumber(t.jd) - firstDay;
    if (day >= 0 && day < static_cast<long long>(days)) rows[static_cast<size_t>(day)].terms.push_back(t);
  }
  for (const koyomi::Dated& d : calendar.dated) {
    const long long day = d.day - firstDay;
    if (day >= 0 && day < static_cast<long long>(days)) rows[static_cast<size_t>(day)].days.push_back(d);
  }
  return rows;
}

}  // namespace velmar::almanac
