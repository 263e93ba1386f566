#include "output/koyomi_year.h"

#include <algorithm>

#include "astro/calendar.h"
#include "engine/numtext.h"

namespace velmar {

namespace {

struct Sorted {
  long long day;  // JST day the row's date shows
  int rank;       // 0 the month of the old calendar, 1 a whole day's item, 2 a timed one
  double jd;
  YearViewRow row;
};

std::string dateText(int year, int month, int day) {
  return formatInt(year) + "/" + twoDigits(month) + "/" + twoDigits(day);
}

std::string dayText(long long day) {
  const astro::CivilDate c = astro::dateOfDayNumber(day);
  return dateText(c.year, c.month, c.day);
}

// An instant's JST date and time to the nearest minute, as the national
// almanac prints them: from 23:59:30 on that is 00:00 of the next day.
struct Minute {
  long long day;
  std::string date, time;
};
Minute minuteOf(double jd) {
  const almanac::JstTime s = almanac::jstOf(jd);
  const almanac::JstTime j =
      s.second < 30 ? s
                    : almanac::jstOf(almanac::jdOfJst(s.year, s.month, s.day, s.hour, s.minute, 0) +
                                     60.0 / 86400);
  return {astro::dayNumberOfDate(j.year, j.month, j.day), dateText(j.year, j.month, j.day),
          twoDigits(j.hour) + ":" + twoDigits(j.minute)};
}

Sorted timedRow(double jd, std::string item, std::string value) {
  const Minute m = minuteOf(jd);
  return {m.day, 2, jd, {{m.date, m.time, std::move(item), std::move(value)}, jd}};
}

// The value --events prints for an event (its third field): the same text
// for every kind it knows.
std::string eventValue(const almanac::Event& e) {
  const std::string line = eventLine(e);
  const size_t at = line.rfind('\t');
  return at == std::string::npos ? std::string() : line.substr(at + 1);
}

}  // namespace

std::vector<YearViewRow> yearViewRows(const koyomi::Year& year,
                                      const std::vector<almanac::Event>& events) {
  std::vector<Sorted> rows;
  const char* lunar = almanacTitles().back();  // 旧暦
  for (const koyomi::LunarMonth& m : year.months)
    rows.push_back(
        {m.firstDay,
         0,
         0,
         {{dayText(m.firstDay), "", lunar, lunarDateText({m.month, m.leap, 1})}, std::nullopt}});
  for (const koyomi::Dated& d : year.dated) {
    YearViewRow row{{dayText(d.day), "", datedName(d.kind), ""}, std::nullopt};
    // 十五夜 and 十三夜 stand beside the full moon, often a day later.
    if (d.fullMoon) {
      const Minute m = minuteOf(*d.fullMoon);
      row.cells[3] = std::string(eventName(almanac::EventKind::FullMoon)) + " " + m.date.substr(5) +
                     " " + m.time;
      row.instant = d.fullMoon;
    }
    rows.push_back({d.day, 1, 0, std::move(row)});
  }
  for (const koyomi::Timed& t : year.timed)
    rows.push_back(timedRow(t.jd, timedName(t), formatInt(t.longitude) + "°"));
  for (const almanac::Event& e : year.quarters)
    rows.push_back(timedRow(e.jd, eventName(e.kind), ""));
  for (const almanac::Event& e : events)
    if (isEclipse(e.kind)) rows.push_back(timedRow(e.jd, eventName(e.kind), eventValue(e)));
  std::stable_sort(rows.begin(), rows.end(), [](const Sorted& a, const Sorted& b) {
    if (a.day != b.day) return a.day < b.day;
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.jd < b.jd;
  });
  std::vector<YearViewRow> out;
  out.reserve(rows.size());
  for (Sorted& s : rows) out.push_back(std::move(s.row));
  return out;
}

std::vector<YearViewRow> yearViewRows(int year, double deltaT) {
  if (!almanac::yearSupported(year)) return {};
  const double from = almanac::jdOfJst(year, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(year + 1, 1, 1, 0, 0, 0);
  return yearViewRows(koyomi::year(year, deltaT), almanac::events(from, to, deltaT));
}

std::vector<std::string> yearViewLines(const std::vector<YearViewRow>& rows, double deltaT,
                                       char separator) {
  const std::string sep(1, separator);
  std::vector<std::string> out{"ΔT" + sep + formatPlain(deltaT)};
  auto join = [&](const auto& cells) {
    std::string line;
    for (size_t c = 0; c < kYearViewColumns; ++c) {
      if (c > 0) line += sep;
      line += cells[c];
    }
    return line;
  };
  out.push_back(join(yearViewTitles()));
  for (const YearViewRow& r : rows) out.push_back(join(r.cells));
  return out;
}

std::vector<std::string> yearViewListing(const std::vector<YearViewRow>& rows,
                                         const std::string& heading) {
  std::vector<std::vector<std::string>> table;
  table.reserve(rows.size() + 1);
  table.emplace_back(yearViewTitles().begin(), yearViewTitles().end());
  for (const YearViewRow& r : rows) table.emplace_back(r.cells.begin(), r.cells.end());
  return linedUpListing(heading, table);
}

}  // namespace velmar
