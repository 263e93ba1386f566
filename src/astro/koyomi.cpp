// The terms are predicted from the program's Sun series (good to a few
// arcseconds, that is a minute or two of time) and settled by Newton's
// steps on the precise ephemeris's apparent longitude and its rate: from
// there one step leaves far under a millisecond, so most terms cost one
// precise position and the second only confirms a poor prediction. The new
// moons and the quarters are the almanac's own.
#include "astro/koyomi.h"

#include <algorithm>
#include <cmath>

#include "astro/ephemeris.h"
#include "astro/series.h"

namespace velmar::koyomi {

namespace {

constexpr double kSecondDays = 1.0 / 86400;
constexpr double kTropicalYear = 365.24219;
constexpr double kSunRate = 360 / kTropicalYear;
// A Newton step shorter than this leaves an error below a microsecond.
constexpr double kSettledDays = 30 * kSecondDays;

double wrap180(double x) {
  double r = std::fmod(x, 360.0);
  if (r > 180) r -= 360;
  if (r <= -180) r += 360;
  return r;
}

double wrap360(double x) {
  const double r = std::fmod(x, 360.0);
  return r < 0 ? r + 360 : r;
}

// The series' apparent longitude of the Sun: nutation and aberration added
// as the elongation does.
double seriesSunLongitude(double jd, double deltaT) {
  const double t = astro::centuries(jd, deltaT);
  return sunLongitudeSum(t) + astro::nutation(t).longitude + astro::kAberration;
}

// Every instant in [from, to) when the Sun's longitude is one of
// `longitudes`, in time order.
std::vector<Timed> crossings(double from, double to, const std::vector<int>& longitudes,
                             TimedKind kind, double deltaT) {
  std::vector<Timed> out;
  const double l0 = seriesSunLongitude(from, deltaT);
  for (const int l : longitudes) {
    double jd = sunLongitudeInstant(from + wrap360(l - l0) / kSunRate, l, deltaT);
    if (jd < from) jd = sunLongitudeInstant(jd + kTropicalYear, l, deltaT);
    while (jd < to) {
      out.push_back({kind, l, jd});
      jd = sunLongitudeInstant(jd + kTropicalYear, l, deltaT);
    }
  }
  std::sort(out.begin(), out.end(), [](const Timed& a, const Timed& b) { return a.jd < b.jd; });
  return out;
}

std::vector<int> multiplesOf(int step) {
  std::vector<int> v;
  for (int l = 0; l < 360; l += step) v.push_back(l);
  return v;
}

// The index of the month holding `day`: the last that begins on it or
// before.
size_t monthIndex(const std::vector<long long>& starts, long long day) {
  const auto it = std::upper_bound(starts.begin(), starts.end(), day);
  return static_cast<size_t>(it - starts.begin()) - 1;
}

const Timed* find(const std::vector<Timed>& v, int longitude) {
  for (const Timed& t : v)
    if (t.kind == TimedKind::Term && t.longitude == longitude) return &t;
  return nullptr;
}

}  // namespace

double sunLongitudeInstant(double guess, double longitude, double deltaT) {
  double t = guess;
  for (int i = 0; i < 8; ++i) {
    const double d = wrap180(seriesSunLongitude(t, deltaT) - longitude) / kSunRate;
    t -= d;
    if (std::fabs(d) < 0.1 * kSecondDays) break;
  }
  for (int i = 0; i < 6; ++i) {
    const ephemeris::Place s = ephemeris::sun(ephemeris::terrestrial(t, deltaT));
    const double dt = -wrap180(s.longitude - longitude) / s.longitudeRate;
    t += dt;
    if (std::fabs(dt) < kSettledDays) break;
  }
  return t;
}

int sexagenaryDay(long long dayNumber) {
  // 2024-01-01 (day number 2460311) was a 甲子 day.
  const long long r = (dayNumber + 49) % 60;
  return static_cast<int>(r < 0 ? r + 60 : r);
}

std::vector<LunarMonth> lunarMonths(int year, double deltaT) {
  std::vector<LunarMonth> out;
  // The winter solstices of year-1, year and year+1.
  double solstice[3];
  for (int i = 0; i < 3; ++i)
    solstice[i] = sunLongitudeInstant(almanac::jdOfJst(year - 1 + i, 12, 22, 0, 0, 0), 270, deltaT);
  const std::vector<double> moons = almanac::newMoons(solstice[0] - 31, solstice[2] + 2, deltaT);
  std::vector<long long> starts;
  for (const double m : moons) starts.push_back(almanac::jstDayNumber(m));
  if (starts.empty() || starts.front() > almanac::jstDayNumber(solstice[0])) return out;
  size_t eleventh[3];
  for (int i = 0; i < 3; ++i) eleventh[i] = monthIndex(starts, almanac::jstDayNumber(solstice[i]));

  std::vector<LunarMonth> months(starts.size());
  for (size_t i = 0; i < starts.size(); ++i) months[i] = {starts[i], 0, false};
  for (int k = 0; k < 2; ++k) {
    const size_t p = eleventh[k], q = eleventh[k + 1];
    months[p].month = 11;
    // Thirteen months from one 11th month to the next: the first without
    // a 中気 repeats the number before it.
    std::vector<long long> chuki;
    if (q - p == 13) {
      for (const Timed& t : crossings(moons[p], moons[q], multiplesOf(30), TimedKind::Term, deltaT))
        chuki.push_back(almanac::jstDayNumber(t.jd));
    }
    bool leapTaken = q - p != 13;
    int m = 11;
    for (size_t i = p + 1; i < q; ++i) {
      const bool holdsChuki = std::any_of(chuki.begin(), chuki.end(), [&](long long d) {
        return d >= starts[i] && d < starts[i + 1];
      });
      if (!leapTaken && !holdsChuki) {
        months[i].month = m;
        months[i].leap = true;
        leapTaken = true;
      } else {
        m = m % 12 + 1;
        months[i].month = m;
      }
    }
  }
  months[eleventh[2]].month = 11;
  out.assign(months.begin() + static_cast<long>(eleventh[0]),
             months.begin() + static_cast<long>(eleventh[2]) + 1);
  return out;
}

std::optional<LunarDate> lunarDate(const std::vector<LunarMonth>& months, long long day) {
  for (size_t i = months.size(); i-- > 0;) {
    if (months[i].firstDay > day) continue;
    const long long n = day - months[i].firstDay;
    if (i + 1 == months.size() && n >= 30) return std::nullopt;
    return LunarDate{months[i].month, months[i].leap, static_cast<int>(n) + 1};
  }
  return std::nullopt;
}

Year year(int y, double deltaT) {
  Year out;
  if (!almanac::yearSupported(y)) return out;
  const double from = almanac::jdOfJst(y, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(y + 1, 1, 1, 0, 0, 0);
  const long long firstDay = almanac::jstDayNumber(from);
  const long long endDay = almanac::jstDayNumber(to);

  out.timed = crossings(from, to, multiplesOf(15), TimedKind::Term, deltaT);
  const std::vector<Timed> terms = out.timed;
  for (const Timed& t : crossings(from, to, {297, 27, 117, 207}, TimedKind::DoyoStart, deltaT))
    out.timed.push_back(t);
  for (const Timed& t : crossings(from, to, {80}, TimedKind::Nyubai, deltaT))
    out.timed.push_back(t);
  for (const Timed& t : crossings(from, to, {100}, TimedKind::Hangesho, deltaT))
    out.timed.push_back(t);
  std::stable_sort(out.timed.begin(), out.timed.end(),
                   [](const Timed& a, const Timed& b) { return a.jd < b.jd; });

  for (const almanac::Event& e : almanac::events(from, to, deltaT)) {
    if (e.kind == almanac::EventKind::NewMoon || e.kind == almanac::EventKind::FirstQuarter ||
        e.kind == almanac::EventKind::FullMoon || e.kind == almanac::EventKind::LastQuarter)
      out.quarters.push_back(e);
  }

  auto add = [&](DatedKind kind, long long day, std::optional<double> fullMoon = std::nullopt) {
    if (day >= firstDay && day < endDay) out.dated.push_back({kind, day, fullMoon});
  };
  if (const Timed* risshun = find(terms, 315)) {
    const long long d = almanac::jstDayNumber(risshun->jd);
    add(DatedKind::Setsubun, d - 1);
    add(DatedKind::Hachijuhachiya, d + 87);
    add(DatedKind::Nihyakutoka, d + 209);
    add(DatedKind::Nihyakuhatsuka, d + 219);
  }
  for (const int l : {0, 180}) {
    const Timed* t = find(terms, l);
    if (!t) continue;
    const long long d = almanac::jstDayNumber(t->jd);
    add(DatedKind::HiganStart, d - 3);
    add(l == 0 ? DatedKind::ShunbunNoHi : DatedKind::ShubunNoHi, d);
    // The nearest 戊 day; of two equally near (five days either side),
    // the earlier.
    const int k = ((4 - sexagenaryDay(d) % 10) + 10) % 10;
    add(DatedKind::Shanichi, k < 5 ? d + k : d + k - 10);
  }

  out.allMonths = lunarMonths(y, deltaT);
  for (const LunarMonth& m : out.allMonths)
    if (m.firstDay >= firstDay && m.firstDay < endDay) out.months.push_back(m);
  auto fullMoonNear = [&](long long day) -> std::optional<double> {
    for (const almanac::Event& e : out.quarters)
      if (e.kind == almanac::EventKind::FullMoon &&
          std::llabs(almanac::jstDayNumber(e.jd) - day) <= 3)
        return e.jd;
    return std::nullopt;
  };
  for (const LunarMonth& m : out.allMonths) {
    if (m.leap) continue;
    if (m.month == 8) add(DatedKind::Jugoya, m.firstDay + 14, fullMoonNear(m.firstDay + 14));
    if (m.month == 9) add(DatedKind::Jusanya, m.firstDay + 12, fullMoonNear(m.firstDay + 12));
  }
  std::stable_sort(out.dated.begin(), out.dated.end(),
                   [](const Dated& a, const Dated& b) { return a.day < b.day; });
  return out;
}

}  // namespace velmar::koyomi
