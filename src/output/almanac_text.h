#pragma once
// The almanac's texts: the monthly table as the command line prints it and
// as the 月の暦 window exports and copies it, and the list of a year's
// events. UTF-8 with LF-free lines; files get Shift-JIS and CR LF where they
// are written (config/text_file.h).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "astro/almanac.h"
#include "astro/koyomi.h"
#include "engine/fields.h"

namespace velmar {

// Why a year is refused: the almanac's range.
std::string almanacRangeMessage();

// The delta T (seconds) the observer's features take: the almanac, the
// year's events and the Moon seen from the site. Their searches step
// through time by a span that grows with delta T, so that one of a
// thousand years' worth of seconds would run for hours; a day either way
// is far beyond any delta T of their years. The main calculation's field
// keeps its own range.
inline constexpr ValueRange kObserverDeltaTRange{-86400, 86400};
// Why a delta T is refused there, naming the range.
std::string observerDeltaTMessage();

// 新月 上弦 満月 下弦 近地点 遠地点 半影月食 部分月食 皆既月食, and 部分日食
// 金環日食 皆既日食 金環皆既日食.
const char* eventName(almanac::EventKind kind);
// Whether an event is an eclipse: the year view lists every kind this
// names, so that a kind added here appears there unchanged.
bool isEclipse(almanac::EventKind kind);

// "HH:MM:SS" (or "HH:MM", rounded to the minute) of an instant in JST;
// "--" when there is none.
std::string clockText(const std::optional<double>& jdUt, bool seconds);

// What a table was computed for, named on its first line.
struct AlmanacSite {
  std::string name;
  astro::Site site;
  double deltaT = 0;  // seconds
};
// "観測地<sep>東京<sep>35.6895<sep>139.6917<sep>ΔT<sep>69.2".
std::string almanacSiteLine(const AlmanacSite& site, char separator);

// The columns of the table, in the order of its lines' cells.
inline constexpr size_t kAlmanacColumns = 12;
const std::array<const char*, kAlmanacColumns>& almanacTitles();

// The header and one line per day, fields joined by `separator`: times to
// the second, or to the minute (the window's own view of the table).
// The cells are those of a line, in the header's order. A day with two
// risings (or settings) of the Moon shows both, joined by "、"; a day
// without either tells whether the Moon stayed up (沈まない) or down
// (昇らない), and the Sun the midnight sun (白夜) or the polar night (極夜).
std::string almanacHeader(char separator);
std::vector<std::string> almanacCells(const almanac::DayRow& row, bool seconds);
std::string almanacLine(const almanac::DayRow& row, char separator, bool seconds);
// The whole table, the site line and the header first, lines without their
// ends.
std::vector<std::string> almanacLines(const std::vector<almanac::DayRow>& rows,
                                      const AlmanacSite& site, char separator);

// The columns a text takes in a fixed-pitch font where a Japanese
// character takes two.
size_t displayWidth(std::string_view utf8);
// The table for the printer: the site line, then the titles and the days
// (times to the minute) in columns lined up with blanks.
std::vector<std::string> almanacListing(const std::vector<almanac::DayRow>& rows,
                                        const AlmanacSite& site);
// Any table so: its lines (the titles first) in columns lined up with
// blanks, the last column not padded, after a first line of its own.
std::vector<std::string> linedUpListing(const std::string& firstLine,
                                        const std::vector<std::vector<std::string>>& table);
// The site line of a listing: its fields apart by blanks.
std::string almanacSiteListingLine(const AlmanacSite& site);

// "YYYY/MM/DD HH:MM:SS<TAB>kind<TAB>value": the distance in km of an
// apsis, the magnitude of an eclipse to three decimals, nothing for a
// quarter.
std::string eventLine(const almanac::Event& e);

// 春分 清明 … 啓蟄 for the longitudes 0, 15, … 345.
const char* termName(int longitude);
// The term's name, or 土用の入り 入梅 半夏生.
const char* timedName(const koyomi::Timed& t);
// 節分 彼岸の入り 社日 八十八夜 二百十日 二百二十日 十五夜 十三夜 春分の日 秋分の日.
const char* datedName(koyomi::DatedKind kind);
// "8月15日", "閏11月1日".
std::string lunarDateText(const koyomi::LunarDate& d);

// The year's calendar as tab-separated lines in date order:
// "YYYY/MM/DD HH:MM:SS<TAB>name<TAB>longitude" for the terms and the
// longitude-defined 雑節, the quarters as eventLine() prints them,
// "YYYY/MM/DD<TAB>name" for the dated items and
// "YYYY/MM/DD<TAB>旧暦<TAB>M月1日" for each month of the old calendar.
std::vector<std::string> koyomiLines(const koyomi::Year& year);

// The year view's columns (output/koyomi_year.h): 日付 時刻 項目 値.
inline constexpr size_t kYearViewColumns = 4;
const std::array<const char*, kYearViewColumns>& yearViewTitles();

}  // namespace velmar
