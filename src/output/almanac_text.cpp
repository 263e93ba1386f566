#include "output/almanac_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/numtext.h"

namespace velmar {

namespace {

// Degrees with one decimal; an azimuth that rounds to 360 reads 0.
std::string degrees(double x, bool azimuth) {
  std::string s = formatFixed(x, 1, 1, false);
  if (azimuth && s == "360.0") s = "0.0";
  return s;
}

// The day's dated calendar items first, then the timed ones (the
// almanac's events, the terms and 雑節) in time order.
std::string eventsText(const almanac::DayRow& row) {
  std::string out;
  for (const koyomi::Dated& d : row.days) {
    if (!out.empty()) out += "、";
    out += datedName(d.kind);
  }
  std::vector<std::pair<double, std::string>> timed;
  for (const almanac::Event& e : row.events)
    timed.emplace_back(e.jd, std::string(eventName(e.kind)) + " " + clockText(e.jd, false));
  for (const koyomi::Timed& t : row.terms)
    timed.emplace_back(t.jd, std::string(timedName(t)) + " " + clockText(t.jd, false));
  std::stable_sort(timed.begin(), timed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& t : timed) {
    if (!out.empty()) out += "、";
    out += t.second;
  }
  return out;
}

}  // namespace

std::string almanacRangeMessage() {
  return "暦を求められるのは " + formatInt(almanac::kFirstYear) + " 年から " +
         formatInt(almanac::kLastYear) + " 年までです。";
}

std::string observerDeltaTMessage() {
  return "月の暦・月相・観測地から見た月に使える ΔT は " + kObserverDeltaTRange.text() +
         " 秒までです。";
}

const char* eventName(almanac::EventKind kind) {
  switch (kind) {
    case almanac::EventKind::NewMoon:
      return "新月";
    case almanac::EventKind::FirstQuarter:
      return "上弦";
    case almanac::EventKind::FullMoon:
      return "満月";
    case almanac::EventKind::LastQuarter:
      return "下弦";
    case almanac::EventKind::Perigee:
      return "近地点";
    case almanac::EventKind::Apogee:
      return "遠地点";
    case almanac::EventKind::PenumbralEclipse:
      return "半影月食";
    case almanac::EventKind::PartialEclipse:
      return "部分月食";
    case almanac::EventKind::TotalEclipse:
      return "皆既月食";
    case almanac::EventKind::PartialSolarEclipse:
      return "部分日食";
    case almanac::EventKind::AnnularSolarEclipse:
      return "金環日食";
    case almanac::EventKind::TotalSolarEclipse:
      return "皆既日食";
    case almanac::EventKind::HybridSolarEclipse:
      return "金環皆既日食";
  }
  return "";
}

bool isEclipse(almanac::EventKind kind) {
  switch (kind) {
    case almanac::EventKind::PenumbralEclipse:
    case almanac::EventKind::PartialEclipse:
    case almanac::EventKind::TotalEclipse:
    case almanac::EventKind::PartialSolarEclipse:
    case almanac::EventKind::AnnularSolarEclipse:
    case almanac::EventKind::TotalSolarEclipse:
    case almanac::EventKind::HybridSolarEclipse:
      return true;
    case almanac::EventKind::NewMoon:
    case almanac::EventKind::FirstQuarter:
    case almanac::EventKind::FullMoon:
    case almanac::EventKind::LastQuarter:
    case almanac::EventKind::Perigee:
    case almanac::EventKind::Apogee:
      return false;
  }
  return false;
}

std::string clockText(const std::optional<double>& jdUt, bool seconds) {
  if (!jdUt) return "--";
  if (seconds) {
    const almanac::JstTime j = almanac::jstOf(*jdUt);
    return twoDigits(j.hour) + ":" + twoDigits(j.minute) + ":" + twoDigits(j.second);
  }
  const almanac::JstTime j = almanac::jstMinuteOf(*jdUt);
  return twoDigits(j.hour) + ":" + twoDigits(j.minute);
}

const std::array<const char*, kAlmanacColumns>& almanacTitles() {
  static const std::array<const char*, kAlmanacColumns> titles = {
      "日付",     "正午月齢",     "月の出", "月の出方位", "南中",  "南中高度",
      "月の入り", "月の入り方位", "日の出", "日の入り",   "出来事",   "旧暦"};
  return titles;
}

std::string almanacHeader(char separator) {
  std::string out;
  for (const char* name : almanacTitles()) {
    if (!out.empty()) out += separator;
    out += name;
  }
  return out;
}

std::string almanacSiteLine(const AlmanacSite& site, char separator) {
  const std::string sep(1, separator);
  // A name the user typed may hold the separator: quoted then, as CSV
  // quotes a field, so that the line keeps its six fields.
  std::string name = site.name;
  if (name.find_first_of(sep + "\"") != std::string::npos) {
    for (size_t at = name.find('"'); at != std::string::npos; at = name.find('"', at + 2))
      name.insert(at, 1, '"');
    name = "\"" + name + "\"";
  }
  return "観測地" + sep + name + sep + formatPlain(site.site.latitude) + sep +
         formatPlain(site.site.longitude) + sep + "ΔT" + sep + formatPlain(site.deltaT);
}

std::vector<std::string> almanacCells(const almanac::DayRow& row, bool seconds) {
  using almanac::AllDay;
  auto angle = [](const std::optional<double>& when, double x, bool azimuth) {
    return when ? degrees(x, azimuth) : std::string("--");
  };
  // One or two times (and their angles) of a day, or the state of a day
  // that has none.
  auto times = [&](const std::optional<double>& first, const std::optional<double>& second,
                   const char* up, const char* down, AllDay allDay) {
    if (allDay != AllDay::No) return std::string(allDay == AllDay::Up ? up : down);
    std::string out = clockText(first, seconds);
    if (second) out += "、" + clockText(second, seconds);
    return out;
  };
  auto angles = [&](const std::optional<double>& first, double a, const std::optional<double>& second,
                    double b) {
    std::string out = angle(first, a, true);
    if (second) out += "、" + angle(second, b, true);
    return out;
  };
  return {
      formatInt(row.date.year) + "/" + twoDigits(row.date.month) + "/" + twoDigits(row.date.day),
      formatFixed(row.noonAge, 1, 1, false),
      times(row.moonrise, row.secondMoonrise, "沈まない", "昇らない", row.moonAllDay),
      angles(row.moonrise, row.moonriseAzimuth, row.secondMoonrise, row.secondMoonriseAzimuth),
      clockText(row.transit, seconds),
      angle(row.transit, row.transitAltitude, false),
      times(row.moonset, row.secondMoonset, "沈まない", "昇らない", row.moonAllDay),
      angles(row.moonset, row.moonsetAzimuth, row.secondMoonset, row.secondMoonsetAzimuth),
      times(row.sunrise, std::nullopt, "白夜", "極夜", row.sunAllDay),
      times(row.sunset, std::nullopt, "白夜", "極夜", row.sunAllDay),
      eventsText(row),
      row.lunar.month > 0 ? lunarDateText(row.lunar) : std::string("--"),
  };
}

std::string almanacLine(const almanac::DayRow& row, char separator, bool seconds) {
  std::string out;
  for (const std::string& cell : almanacCells(row, seconds)) {
    out += cell;
    out += separator;
  }
  out.pop_back();
  return out;
}

std::vector<std::string> almanacLines(const std::vector<almanac::DayRow>& rows,
                                      const AlmanacSite& site, char separator) {
  std::vector<std::string> out{almanacSiteLine(site, separator), almanacHeader(separator)};
  for (const almanac::DayRow& r : rows) out.push_back(almanacLine(r, separator, true));
  return out;
}

size_t displayWidth(std::string_view utf8) {
  size_t width = 0;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < n && i + k < utf8.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    // Half-width katakana take one column like ASCII; every other character
    // the listing holds beyond ASCII (kana, kanji, "、") two.
    const bool narrow = cp < 0x1100 || (cp >= 0xFF61 && cp <= 0xFF9F);
    width += narrow ? 1 : 2;
    i += n;
  }
  return width;
}

std::vector<std::string> almanacListing(const std::vector<almanac::DayRow>& rows,
                                        const AlmanacSite& site) {
  std::vector<std::vector<std::string>> table;
  table.reserve(rows.size() + 1);
  table.emplace_back(almanacTitles().begin(), almanacTitles().end());
  for (const almanac::DayRow& r : rows) table.push_back(almanacCells(r, false));
  return linedUpListing(almanacSiteListingLine(site), table);
}

std::string almanacSiteListingLine(const AlmanacSite& site) {
  std::string line = almanacSiteLine(site, '\t');
  for (size_t at = line.find('\t'); at != std::string::npos; at = line.find('\t', at))
    line.replace(at, 1, "  ");
  return line;
}

std::vector<std::string> linedUpListing(const std::string& firstLine,
                                        const std::vector<std::vector<std::string>>& table) {
  std::vector<size_t> widths;
  for (const auto& line : table) {
    if (widths.size() < line.size()) widths.resize(line.size());
    for (size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], displayWidth(line[c]));
  }
  std::vector<std::string> out{firstLine};
  for (const auto& line : table) {
    std::string text;
    for (size_t c = 0; c < line.size(); ++c) {
      if (c > 0) text += "  ";
      text += line[c];
      text.append(widths[c] - displayWidth(line[c]), ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out.push_back(std::move(text));
  }
  return out;
}

std::string eventLine(const almanac::Event& e) {
  const almanac::JstTime j = almanac::jstOf(e.jd);
  std::string out = formatInt(j.year) + "/" + twoDigits(j.month) + "/" + twoDigits(j.day) + " " +
                    twoDigits(j.hour) + ":" + twoDigits(j.minute) + ":" + twoDigits(j.second) +
                    "\t" + eventName(e.kind) + "\t";
  if (e.kind == almanac::EventKind::Perigee || e.kind == almanac::EventKind::Apogee)
    out += formatInt(std::llround(e.value));
  else if (e.eclipse || almanac::isSolarEclipse(e.kind))
    out += formatFixed(e.value, 1, 3, false);
  return out;
}

const char* termName(int longitude) {
  static const char* const kNames[24] = {
      "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
      "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};
  const int i = ((longitude % 360) + 360) % 360 / 15;
  return kNames[i];
}

const char* timedName(const koyomi::Timed& t) {
  switch (t.kind) {
    case koyomi::TimedKind::Term:
      return termName(t.longitude);
    case koyomi::TimedKind::DoyoStart:
      return "土用の入り";
    case koyomi::TimedKind::Nyubai:
      return "入梅";
    case koyomi::TimedKind::Hangesho:
      return "半夏生";
  }
  return "";
}

const char* datedName(koyomi::DatedKind kind) {
  switch (kind) {
    case koyomi::DatedKind::Setsubun:
      return "節分";
    case koyomi::DatedKind::HiganStart:
      return "彼岸の入り";
    case koyomi::DatedKind::Shanichi:
      return "社日";
    case koyomi::DatedKind::Hachijuhachiya:
      return "八十八夜";
    case koyomi::DatedKind::Nihyakutoka:
      return "二百十日";
    case koyomi::DatedKind::Nihyakuhatsuka:
      return "二百二十日";
    case koyomi::DatedKind::Jugoya:
      return "十五夜";
    case koyomi::DatedKind::Jusanya:
      return "十三夜";
    case koyomi::DatedKind::ShunbunNoHi:
      return "春分の日";
    case koyomi::DatedKind::ShubunNoHi:
      return "秋分の日";
  }
  return "";
}

std::string lunarDateText(const koyomi::LunarDate& d) {
  return std::string(d.leap ? "閏" : "") + formatInt(d.month) + "月" + formatInt(d.day) + "日";
}

std::vector<std::string> koyomiLines(const koyomi::Year& year) {
  // Within one day: the month of the old calendar, the dated items, then
  // the timed ones in time order.
  struct Line {
    long long day;
    int rank;
    double jd;
    std::string text;
  };
  std::vector<Line> lines;
  auto dateText = [](long long day) {
    const astro::CivilDate c = astro::dateOfDayNumber(day);
    return formatInt(c.year) + "/" + twoDigits(c.month) + "/" + twoDigits(c.day);
  };
  for (const koyomi::LunarMonth& m : year.months)
    lines.push_back({m.firstDay, 0, 0,
                     dateText(m.firstDay) + "\t旧暦\t" + lunarDateText({m.month, m.leap, 1})});
  for (const koyomi::Dated& d : year.dated)
    lines.push_back({d.day, 1, 0, dateText(d.day) + "\t" + datedName(d.kind)});
  for (const koyomi::Timed& t : year.timed) {
    const almanac::JstTime j = almanac::jstOf(t.jd);
    lines.push_back({almanac::jstDayNumber(t.jd), 2, t.jd,
                     formatInt(j.year) + "/" + twoDigits(j.month) + "/" + twoDigits(j.day) + " " +
                         twoDigits(j.hour) + ":" + twoDigits(j.minute) + ":" +
                         twoDigits(j.second) + "\t" + timedName(t) + "\t" +
                         formatInt(t.longitude)});
  }
  for (const almanac::Event& e : year.quarters)
    lines.push_back({almanac::jstDayNumber(e.jd), 2, e.jd, eventLine(e)});
  std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
    if (a.day != b.day) return a.day < b.day;
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.jd < b.jd;
  });
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (Line& l : lines) out.push_back(std::move(l.text));
  return out;
}

const std::array<const char*, kYearViewColumns>& yearViewTitles() {
  static const std::array<const char*, kYearViewColumns> titles = {"日付", "時刻", "項目", "値"};
  return titles;
}

}  // namespace velmar
