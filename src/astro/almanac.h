#pragma once
// The observer's almanac: the Moon's quarters, apsides and eclipses, rising,
// transit and setting of the Moon and the Sun, computed on the precise
// ephemeris (astro/ephemeris.h), predicted from the program's series
// (engine/astro.h). No texts: those are in output/almanac_text.h.
//
// Every instant is a Julian Day of universal time; one value of delta T
// (seconds) holds for a whole computation. Days are days of Japan Standard
// Time.
#include <optional>
#include <vector>

#include "astro/astro.h"
#include "astro/koyomi_types.h"

namespace velmar::almanac {

// The years the almanac answers for: the Gregorian calendar's first whole
// year to the end of the range the series were fitted for.
inline constexpr int kFirstYear = astro::kFirstGregorianYear;
inline constexpr int kLastYear = 2999;
bool yearSupported(int year);

enum class EventKind {
  NewMoon,
  FirstQuarter,
  FullMoon,
  LastQuarter,
  Perigee,
  Apogee,
  PenumbralEclipse,
  PartialEclipse,
  TotalEclipse,
  // Solar eclipses, by their kind on the Earth as a whole
  // (astro/solar_eclipses.h).
  PartialSolarEclipse,
  AnnularSolarEclipse,
  TotalSolarEclipse,
  HybridSolarEclipse,
};
bool isSolarEclipse(EventKind kind);

// A lunar eclipse at its greatest and its phases; a phase that does not
// happen has no times.
struct Eclipse {
  double greatest = 0;
  double umbralMagnitude = 0;  // negative for a penumbral eclipse
  double penumbralMagnitude = 0;
  std::optional<double> penumbralBegin, penumbralEnd;
  std::optional<double> partialBegin, partialEnd;
  std::optional<double> totalBegin, totalEnd;
};

struct Event {
  EventKind kind;
  double jd;  // UT
  // km for apsides, the umbral magnitude for lunar eclipses, the
  // magnitude at greatest eclipse for solar ones.
  double value = 0;
  std::optional<Eclipse> eclipse;
};

// Quarters, apsides and eclipses with from <= jd < to, in time order; a
// solar eclipse at its greatest.
std::vector<Event> events(double fromJd, double toJd, double deltaT);
// The quarters alone (新月 上弦 満月 下弦), as events() gives them.
std::vector<Event> quarters(double fromJd, double toJd, double deltaT);
// The new moons alone.
std::vector<double> newMoons(double fromJd, double toJd, double deltaT);
// The lunar eclipses alone.
std::vector<Event> lunarEclipses(double fromJd, double toJd, double deltaT);

using Date = astro::CivilDate;

// A body that neither rises nor sets in a whole day: above the horizon all
// day (the Moon that does not set, the midnight sun) or below it (the Moon
// that does not rise, the polar night).
enum class AllDay { No, Up, Down };

// One day of the monthly table. A time is empty when it does not happen on
// that day; its angle then means nothing.
struct DayRow {
  Date date;
  double noonAge = 0;  // days from the new moon before 12:00 JST
  std::optional<double> moonrise, transit, moonset, sunrise, sunset;
  double moonriseAzimuth = 0;
  double transitAltitude = 0;  // refraction included
  double moonsetAzimuth = 0;
  // At high latitudes the Moon can rise, or set, twice in one day.
  std::optional<double> secondMoonrise, secondMoonset;
  double secondMoonriseAzimuth = 0;
  double secondMoonsetAzimuth = 0;
  AllDay moonAllDay = AllDay::No;
  AllDay sunAllDay = AllDay::No;
  // Events whose time, to the minute, falls on this day.
  std::vector<Event> events;
  // The day's date in the old calendar, and the calendar's items of the
  // day (astro/koyomi.h): the terms and 雑節 with their instants, and the
  // dated ones.
  koyomi::LunarDate lunar;
  std::vector<koyomi::Timed> terms;
  std::vector<koyomi::Dated> days;
};

// The rows of one month at a site; empty for a year outside the range or a
// month outside 1 to 12.
std::vector<DayRow> month(int year, int month, const astro::Site& site, double deltaT);

// The delta T the observer's features take when the user names none: the
// library's measured (and beyond its table extrapolated) value for the
// middle of the month, or of the year, to a tenth of a second.
double measuredDeltaT(int year, int month);
double measuredDeltaT(int year);

// Japan Standard Time of an instant: to the nearest second, or to the
// minute by cutting the seconds off. A shown time never reaches into the
// next day: a time from 23:59:59.5 on stays at 23:59:59 (and 23:59 to the
// minute), in the row of its own day.
struct JstTime {
  int year, month, day, hour, minute, second;
};
JstTime jstOf(double jdUt);
JstTime jstMinuteOf(double jdUt);
// The JST day (its day number) an instant falls on.
long long jstDayNumber(double jdUt);
// The instant of a JST date and time.
double jdOfJst(int year, int month, int day, int hour, int minute, int second);

}  // namespace velmar::almanac
