#pragma once
// The Japanese calendar's year: the 24 solar terms (二十四節気) and the
// seasonal days (雑節) to the second on the precise ephemeris, the dated
// 雑節 and national holidays of the equinoxes, the old lunisolar calendar
// (旧暦) and its two moon-viewing nights. Plain values, no texts: the names
// are in output/almanac_text.h.
//
// Instants are Julian Days of UT; one delta T (seconds) holds for a whole
// computation. Days are day numbers of Japan Standard Time.
#include <optional>
#include <vector>

#include "astro/almanac.h"
#include "astro/koyomi_types.h"

namespace velmar::koyomi {

// The instant (UT) when the Sun's apparent longitude is `longitude`
// degrees, near `guess` (within a few weeks).
double sunLongitudeInstant(double guess, double longitude, double deltaT);

// The day's place in the sexagenary cycle, 0 for 甲子 to 59 for 癸亥; its
// heavenly stem is the remainder by 10 (4 for 戊).
int sexagenaryDay(long long dayNumber);

// The term whose longitude is a multiple of 30 degrees is a 中気.
inline bool isChuki(int longitude) { return longitude % 30 == 0; }

// The months of the old calendar from the month that holds the winter
// solstice of year-1 to the last that begins in `year`: every day of the
// year lies in one of them.
std::vector<LunarMonth> lunarMonths(int year, double deltaT);
// The date of a day in those months; nullopt for a day outside them.
std::optional<LunarDate> lunarDate(const std::vector<LunarMonth>& months, long long day);

// Everything of one year (days of JST), each list in time order.
struct Year {
  std::vector<Timed> timed;              // terms and longitude-defined 雑節
  std::vector<Dated> dated;              // dated 雑節, holidays, 十五夜, 十三夜
  std::vector<almanac::Event> quarters;  // 新月 上弦 満月 下弦
  std::vector<LunarMonth> months;        // the months that begin in the year
  std::vector<LunarMonth> allMonths;     // as lunarMonths() gives them
};
// Empty for a year the almanac does not answer for.
Year year(int year, double deltaT);

}  // namespace velmar::koyomi
