#pragma once
// The year view (暦要項): a year's 二十四節気 and 雑節, the holidays of the
// equinoxes, 十五夜 and 十三夜 beside their full moons, the Moon's quarters,
// the eclipses and the months of the old calendar, as rows of texts in
// time order, for the window, its file and its printout alike.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "astro/almanac.h"
#include "astro/koyomi.h"
#include "output/almanac_text.h"

namespace velmar {

struct YearViewRow {
  // 日付 "2025/03/20", 時刻 "18:01" (JST, to the nearest minute, as the
  // national almanac prints it; empty for an item of a whole day), 項目,
  // 値 (the Sun's longitude, the full moon of 十五夜 and 十三夜, an
  // eclipse's magnitude, the month of the old calendar).
  std::array<std::string, kYearViewColumns> cells;
  // The instant the row stands for (UT): a timed item's own, the full moon
  // of 十五夜 and 十三夜; none for the other items of a whole day.
  std::optional<double> instant;
};

// The rows of a year's calendar and of the events among `events` that are
// eclipses (isEclipse), in time order; within a day the month of the old
// calendar first, then the items of the whole day, then the timed ones.
std::vector<YearViewRow> yearViewRows(const koyomi::Year& year,
                                      const std::vector<almanac::Event>& events);
// The same computed for a year (empty when the almanac does not answer for it).
std::vector<YearViewRow> yearViewRows(int year, double deltaT);

// "ΔT<sep>69.2", the header and one line per row, cells joined by
// `separator`, lines without their ends.
std::vector<std::string> yearViewLines(const std::vector<YearViewRow>& rows, double deltaT,
                                       char separator);

// For the printer: `heading`, then the titles and the rows in columns
// lined up with blanks.
std::vector<std::string> yearViewListing(const std::vector<YearViewRow>& rows,
                                         const std::string& heading);

}  // namespace velmar
