#include "astro/calendar.h"

#include <cmath>

namespace velmar::astro {

bool isLeapYear(long long year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool isLeapYear(double year) {
  // fmod is exact, so this holds far beyond the range of a long long.
  const double y = std::nearbyint(year);
  return std::fmod(y, 4.0) == 0 && (std::fmod(y, 100.0) != 0 || std::fmod(y, 400.0) == 0);
}

int daysInMonth(int month, bool leap) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

long long dayNumberOfDate(int y, int m, int d) {
  const long long a = (14 - m) / 12;
  const long long yy = y + 4800 - a;
  const long long mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

CivilDate dateOfDayNumber(long long jdn) {
  // Floor division keeps it right before the epoch of the formula too.
  const long long a = jdn + 32044;
  const long long b = (4 * a + 3) / 146097;
  const long long c = a - 146097 * b / 4;
  const long long d = (4 * c + 3) / 1461;
  const long long e = c - 1461 * d / 4;
  const long long m = (5 * e + 2) / 153;
  return {static_cast<int>(100 * b + d - 4800 + m / 10), static_cast<int>(m + 3 - 12 * (m / 10)),
          static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

CivilTime jstOfUnixSeconds(long long unixSeconds) {
  const long long secs = unixSeconds + kJstSeconds;
  long long days = secs / 86400;
  long long rem = secs % 86400;
  if (rem < 0) {
    rem += 86400;
    --days;
  }
  const CivilDate d = dateOfDayNumber(days + kUnixEpochDayNumber);
  return {d.year,
          d.month,
          d.day,
          static_cast<int>(rem / 3600),
          static_cast<int>(rem / 60 % 60),
          static_cast<int>(rem % 60)};
}

double julianDayAt0h(double year, double month, double day) {
  const double a = std::floor(year / 100);
  const double b = (2 - a) + std::floor(a / 4);
  const double y = std::floor(year * 365.25);
  return day + (y + (b + (std::floor((month + 1) * 30.6001) + 1720994.5)));
}

}  // namespace velmar::astro
