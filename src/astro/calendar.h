#pragma once
// The calendar of the whole program: Gregorian civil dates, day numbers,
// Julian Days, Japan Standard Time and the leap rule. Every date that is
// turned into a number, or a number into a date, goes through here.
#include <cstdint>

namespace velmar::astro {

// Japan Standard Time is UT + 9 h.
inline constexpr double kJstHours = 9;
inline constexpr double kJstDays = kJstHours / 24;
inline constexpr long long kJstSeconds = static_cast<long long>(kJstHours) * 3600;

// The Gregorian calendar's first whole year: the main calculation turns
// only later dates into Julian Days.
inline constexpr int kFirstGregorianYear = 1583;

// The Gregorian rule: every fourth year, but not the centuries unless they
// divide by 400. For any whole year, however large or negative.
bool isLeapYear(long long year);
// The same for a year held as a double (a field's value), rounded half to
// even first; exact for every whole number a double holds.
bool isLeapYear(double year);
// Days in the month (1 to 12) of the year; 0 for another month.
int daysInMonth(int month, bool leap);

struct CivilDate {
  int year, month, day;
};

// The Julian Day Number of a proleptic Gregorian date: the Julian Day of
// its noon.
long long dayNumberOfDate(int year, int month, int day);
CivilDate dateOfDayNumber(long long dayNumber);
// Day numbers of the Unix epoch, 1970-01-01.
inline constexpr long long kUnixEpochDayNumber = 2440588;

// A civil date and clock time.
struct CivilTime {
  int year, month, day, hour, minute, second;
};
// Seconds since the Unix epoch, read as Japan Standard Time.
CivilTime jstOfUnixSeconds(long long unixSeconds);

// The Julian Day of 0 h UT of a date by the classic formula with the
// Gregorian correction always applied: exactly the operations, in the
// order, that the main calculation has always used, so that its twelve
// decimals stay as they are. January and February must come as months 13
// and 14 of the year before.
double julianDayAt0h(double year, double month, double day);

}  // namespace velmar::astro
