// The terms are predicted from the program's Sun series and settled on
// the precise ephemeris's apparent longitude: a step on the series' rate,
// and a secant on two precise values when the step was long. The new moons
// and the quarters are the almanac's own.
#include "astro/koyomi.h"

#include <algorithm>
#include <cmath>

#include "astro/ephemeris.h"
#include "astro/roots.h"
#include "astro/series.h"

namespace velmar::koyomi {

namespace {

constexpr double kSecondDays = 1.0 / 86400;
constexpr double kTropicalYear = 365.24219;
constexpr double kSunRate = 360 / kTropicalYear;
// The series' rate of the Sun's longitude is the true one to 8e-5 (1901
// to 2099): a step on it shorter than this is final, its error 5 ms at
// most; a longer one is settled by a secant on two precise values.
constexpr double kOneStepDays = 60 * kSecondDays;
// Half the span of the difference that gives the series' rate.
constexpr double kRateSpan = 0.05;

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

// The series' instant of the Sun's longitude `longitude` near `guess`.
double seriesSunInstant(double guess, double longitude, double deltaT) {
  double t = guess;
  for (int i = 0; i < 12; ++i) {
    const double d = wrap180(seriesSunLongitude(t, deltaT) - longitude) / kSunRate;
    t -= d;
    if (std::fabs(d) < 0.1 * kSecondDays) break;
  }
  return t;
}

// Every instant in [from, to) when the Sun's longitude is one of
// `longitudes`, in time order. The series' instants (within minutes of the
// true ones) tell which years' crossings to settle on the precise
// ephemeris.
std::vector<Timed> crossings(double from, double to, const std::vector<int>& longitudes,
                             TimedKind kind, double deltaT) {
  constexpr double kMargin = 0.01;
  std::vector<Timed> out;
  const double l0 = seriesSunLongitude(from, deltaT);
  for (const int l : longitudes) {
    double t = seriesSunInstant(from + wrap360(l - l0) / kSunRate, l, deltaT);
    if (t < from - kMargin) t = seriesSunInstant(t + kTropicalYear, l, deltaT);
    while (t < to + kMargin) {
      const double jd = sunLongitudeInstant(t, l, deltaT);
      if (jd >= from && jd < to) out.push_back({kind, l, jd});
      t = seriesSunInstant(jd + kTropicalYear, l, deltaT);
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

// The months from the one holding the winter solstice of year-1 to the
// last that begins in `year`, from the year's own new moons and terms (its
// 中気 at least). Only the months that begin in the year need numbers, so
// the next year is asked only when the month after the 11th begins in
// December without a 中気: then whether it is the leap month depends on
// how many months the next 11th month is away (the 2033 case).
std::vector<LunarMonth> monthsOf(int year, double deltaT, const std::vector<double>& yearMoons,
                                 const std::vector<Timed>& yearTerms) {
  std::vector<LunarMonth> out;
  const double from = almanac::jdOfJst(year, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(year + 1, 1, 1, 0, 0, 0);
  const Timed* winter = find(yearTerms, 270);
  if (!winter) return out;
  const double solstice0 =
      sunLongitudeInstant(almanac::jdOfJst(year - 1, 12, 22, 0, 0, 0), 270, deltaT);
  std::vector<double> moons = almanac::newMoons(solstice0 - 31, from, deltaT);
  moons.insert(moons.end(), yearMoons.begin(), yearMoons.end());
  for (const double m : almanac::newMoons(to, to + 32, deltaT)) moons.push_back(m);
  std::vector<long long> starts;
  for (const double m : moons) starts.push_back(almanac::jstDayNumber(m));
  std::vector<long long> chuki{almanac::jstDayNumber(solstice0)};
  for (const Timed& t : yearTerms)
    if (isChuki(t.longitude)) chuki.push_back(almanac::jstDayNumber(t.jd));
  auto holdsChuki = [&](size_t i) {
    return std::any_of(chuki.begin(), chuki.end(),
                       [&](long long d) { return d >= starts[i] && d < starts[i + 1]; });
  };
  if (starts.size() < 3 || starts.front() > chuki.front()) return out;
  const size_t p = monthIndex(starts, chuki.front());
  const size_t q = monthIndex(starts, almanac::jstDayNumber(winter->jd));

  std::vector<LunarMonth> months(starts.size());
  for (size_t i = 0; i < starts.size(); ++i) months[i] = {starts[i], 0, false};
  // Thirteen months from one 11th month to the next: the first without a
  // 中気 repeats the number before it.
  months[p].month = 11;
  bool leapTaken = q - p != 13;
  int m = 11;
  for (size_t i = p + 1; i < q; ++i) {
    if (!leapTaken && !holdsChuki(i)) {
      months[i] = {starts[i], m, true};
      leapTaken = true;
    } else {
      m = m % 12 + 1;
      months[i].month = m;
    }
  }
  months[q].month = 11;
  size_t last = q;
  if (q + 2 < starts.size() && starts[q + 1] < almanac::jstDayNumber(to)) {
    last = q + 1;
    months[q + 1].month = 12;
    const long long daikan = almanac::jstDayNumber(
        sunLongitudeInstant(almanac::jdOfJst(year + 1, 1, 20, 0, 0, 0), 300, deltaT));
    if (!(daikan >= starts[q + 1] && daikan < starts[q + 2])) {
      const double solstice2 =
          sunLongitudeInstant(almanac::jdOfJst(year + 1, 12, 22, 0, 0, 0), 270, deltaT);
      const long long day2 = almanac::jstDayNumber(solstice2);
      size_t count = 1;  // the month at starts[q + 1]
      for (const double nm : almanac::newMoons(moons[q + 1] + 1, solstice2 + 2, deltaT))
        if (almanac::jstDayNumber(nm) <= day2) ++count;
      if (count == 13) months[q + 1] = {starts[q + 1], 11, true};
    }
  }
  out.assign(months.begin() + static_cast<long>(p), months.begin() + static_cast<long>(last) + 1);
  return out;
}

}  // namespace

double sunLongitudeInstant(double guess, double longitude, double deltaT) {
  const double t = seriesSunInstant(guess, longitude, deltaT);
  const double rate = wrap180(seriesSunLongitude(t + kRateSpan, deltaT) -
                              seriesSunLongitude(t - kRateSpan, deltaT)) /
                      (2 * kRateSpan);
  // The nutation in longitude moves by well under 0.001" in the minutes
  // between the prediction and the term: taken once, it leaves the
  // library the cheaper longitudes on the mean equinox.
  const double nutation = ephemeris::nutation(ephemeris::terrestrial(t, deltaT)).longitude;
  auto f = [&](double jd) {
    const double tt = ephemeris::terrestrial(jd, deltaT);
    return wrap180(ephemeris::sunMeanEquinoxLongitude(tt) + nutation - longitude);
  };
  return almanac::refineRoot(f, t, f(t), rate, kOneStepDays);
}

int sexagenaryDay(long long dayNumber) {
  // 2024-01-01 (day number 2460311) was a 甲子 day.
  const long long r = (dayNumber + 49) % 60;
  return static_cast<int>(r < 0 ? r + 60 : r);
}

std::vector<LunarMonth> lunarMonths(int year, double deltaT) {
  const double from = almanac::jdOfJst(year, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(year + 1, 1, 1, 0, 0, 0);
  return monthsOf(year, deltaT, almanac::newMoons(from, to, deltaT),
                  crossings(from, to, multiplesOf(30), TimedKind::Term, deltaT));
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

  out.quarters = almanac::quarters(from, to, deltaT);

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

  std::vector<double> moons;
  for (const almanac::Event& e : out.quarters)
    if (e.kind == almanac::EventKind::NewMoon) moons.push_back(e.jd);
  out.allMonths = monthsOf(y, deltaT, moons, terms);
  for (const LunarMonth& m : out.allMonths)
    if (m.firstDay >= firstDay && m.firstDay < endDay) out.months.push_back(m);
  // The full moon of a month: the one between its first day and the next
  // month's.
  auto fullMoonOf = [&](size_t i) -> std::optional<double> {
    const long long first = out.allMonths[i].firstDay;
    const long long end = i + 1 < out.allMonths.size() ? out.allMonths[i + 1].firstDay : first + 30;
    for (const almanac::Event& e : out.quarters) {
      const long long d = almanac::jstDayNumber(e.jd);
      if (e.kind == almanac::EventKind::FullMoon && d >= first && d < end) return e.jd;
    }
    return std::nullopt;
  };
  for (size_t i = 0; i < out.allMonths.size(); ++i) {
    const LunarMonth& m = out.allMonths[i];
    if (m.leap) continue;
    if (m.month == 8) add(DatedKind::Jugoya, m.firstDay + 14, fullMoonOf(i));
    if (m.month == 9) add(DatedKind::Jusanya, m.firstDay + 12, fullMoonOf(i));
  }
  std::stable_sort(out.dated.begin(), out.dated.end(),
                   [](const Dated& a, const Dated& b) { return a.day < b.day; });
  return out;
}

}  // namespace velmar::koyomi
