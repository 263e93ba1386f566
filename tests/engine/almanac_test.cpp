// The almanac against rows of an independent ephemeris kept as data
// (tests/data/almanac_*.tsv, computed with PyEphem under the almanac's own
// definitions), the calendar (koyomi) against the library's own crossing
// search and the national almanac's published values
// (tests/data/koyomi_*.tsv), and the command line's almanac options.
#include "astro/almanac.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "astro/ephemeris.h"
#include "astro/koyomi.h"
#include "cli/cli_run.h"
#include "engine/data_rows.h"
#include "engine/numtext.h"
#include "output/almanac_text.h"

namespace {

using namespace velmar;
using namespace velmar::testing_cli;
using velmar::testing_data::dataRows;

// Seconds between an instant and a "HH:MM:SS" on the same JST day.
double secondsFrom(double jd, const almanac::Date& day, const std::string& clock) {
  const double ref = almanac::jdOfJst(day.year, day.month, day.day, std::stoi(clock.substr(0, 2)),
                                      std::stoi(clock.substr(3, 2)), std::stoi(clock.substr(6, 2)));
  return (jd - ref) * 86400;
}

TEST(Almanac, TokyoJanuary2024AgreesWithTheReferenceRows) {
  const auto rows = almanac::month(2024, 1, {35.6544, 139.7447}, 72.2);
  const auto ref = dataRows("almanac_tokyo_2024-01.tsv");
  ASSERT_EQ(rows.size(), 31u);
  ASSERT_EQ(ref.size(), 31u);
  for (size_t i = 0; i < rows.size(); ++i) {
    const almanac::DayRow& r = rows[i];
    const std::vector<std::string>& e = ref[i];
    SCOPED_TRACE(e[0]);
    const std::pair<const std::optional<double>*, const std::string*> times[] = {
        {&r.moonrise, &e[1]},
        {&r.moonset, &e[2]},
        {&r.transit, &e[3]},
        {&r.sunrise, &e[5]},
        {&r.sunset, &e[6]}};
    for (const auto& [mine, theirs] : times) {
      // A day without a rising (or setting) must say so, not borrow the
      // next day's.
      ASSERT_EQ(mine->has_value(), *theirs != "--") << *theirs;
      if (*mine) {
        // PyEphem's own error, an arcsecond or two, and the second it is
        // rounded to.
        EXPECT_LE(std::fabs(secondsFrom(**mine, r.date, *theirs)), 3) << *theirs;
      }
    }
    if (r.transit) {
      EXPECT_NEAR(r.transitAltitude, std::stod(e[4]), 0.05);
    }
  }
  // One rising and one setting skipped in the month, as the Moon does.
  EXPECT_EQ(clockText(rows[3].moonrise, true), "--");
  EXPECT_EQ(clockText(rows[17].moonset, true), "--");
}

// A published month: the centre of the Moon on the horizon comes later
// than its upper limb at rising and earlier at setting, by about the time
// the Moon's semidiameter takes to cross the horizon; nothing else differs.
TEST(Almanac, TokyoJanuary2022AgreesWithThePublishedTable) {
  const auto rows = almanac::month(2022, 1, {35.6895, 139.6917}, 69.3);
  const auto pub = dataRows("almanac_tokyo_2022-01_published.tsv");
  ASSERT_EQ(rows.size(), pub.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const almanac::DayRow& r = rows[i];
    SCOPED_TRACE(pub[i][0]);
    const std::pair<const std::optional<double>*, int> times[] = {{&r.moonrise, 1},
                                                                  {&r.moonset, -1}};
    for (const auto& [mine, sign] : times) {
      const std::string& theirs = pub[i][sign > 0 ? 1 : 2];
      ASSERT_EQ(mine->has_value(), theirs != "--") << theirs;
      if (!*mine) continue;
      // Published minutes are rounded: half a minute either way on top.
      const double lead = -sign * secondsFrom(**mine, r.date, theirs + ":00");
      EXPECT_GE(lead, 30) << theirs;
      EXPECT_LE(lead, 150) << theirs;
    }
    if (pub[i].size() > 3) {
      const bool named =
          std::any_of(r.events.begin(), r.events.end(),
                      [&](const almanac::Event& e) { return eventName(e.kind) == pub[i][3]; });
      EXPECT_TRUE(named) << pub[i][3];
    }
  }
}

TEST(Almanac, LunarEclipsesOfTwoYearsAgreeWithTheReferenceList) {
  struct Year {
    int year;
    double deltaT;
  };
  const auto ref = dataRows("almanac_eclipses.tsv");
  std::vector<almanac::Event> found;
  for (const Year y : {Year{2022, 71.2}, Year{2024, 72.6}}) {
    const auto e = almanac::lunarEclipses(almanac::jdOfJst(y.year, 1, 1, 0, 0, 0),
                                          almanac::jdOfJst(y.year + 1, 1, 1, 0, 0, 0), y.deltaT);
    found.insert(found.end(), e.begin(), e.end());
  }
  ASSERT_EQ(found.size(), ref.size());
  for (size_t i = 0; i < found.size(); ++i) {
    const std::string& stamp = ref[i][0];
    SCOPED_TRACE(stamp);
    const almanac::Date day{std::stoi(stamp.substr(0, 4)), std::stoi(stamp.substr(5, 2)),
                            std::stoi(stamp.substr(8, 2))};
    // PyEphem's Moon is good to an arcsecond or two: a few seconds of time
    // and a few thousandths of magnitude.
    EXPECT_LE(std::fabs(secondsFrom(found[i].jd, day, stamp.substr(11))), 5);
    EXPECT_EQ(eventName(found[i].kind), ref[i][1]);
    EXPECT_NEAR(found[i].value, std::stod(ref[i][2]), 0.003);
    // The phases nest inside each other around the greatest eclipse.
    const almanac::Eclipse& c = *found[i].eclipse;
    ASSERT_TRUE(c.penumbralBegin && c.penumbralEnd);
    EXPECT_LT(*c.penumbralBegin, c.greatest);
    EXPECT_GT(*c.penumbralEnd, c.greatest);
    EXPECT_EQ(c.partialBegin.has_value(), found[i].kind != almanac::EventKind::PenumbralEclipse);
    EXPECT_EQ(c.totalBegin.has_value(), found[i].kind == almanac::EventKind::TotalEclipse);
    if (c.totalBegin) {
      EXPECT_LT(*c.partialBegin, *c.totalBegin);
    }
  }
}

// The precise ephemeris against a second, independent one under the same
// delta T: the quarters, the Moon's rising, setting and transit, and the
// Moon seen from a site, within the bounds the almanac promises.
TEST(Almanac, AgreesWithAstronomyEngine) {
  constexpr double kDeltaT = 69.2;
  const auto ref = dataRows("almanac_astronomy_engine.tsv");
  const std::vector<almanac::Event> ev =
      almanac::events(almanac::jdOfJst(2024, 1, 1, 0, 0, 0), almanac::jdOfJst(2024, 6, 1, 0, 0, 0),
                      kDeltaT);
  const auto rows = almanac::month(2024, 1, {35.6544, 139.7447}, kDeltaT);
  std::vector<double> rises, sets, transits;
  for (const almanac::DayRow& r : rows) {
    for (const auto& t : {r.moonrise, r.secondMoonrise})
      if (t) rises.push_back(*t);
    for (const auto& t : {r.moonset, r.secondMoonset})
      if (t) sets.push_back(*t);
    if (r.transit) transits.push_back(*r.transit);
  }
  auto nearest = [](const std::vector<double>& mine, double jd) {
    double best = 1e9;
    for (double t : mine) best = std::min(best, std::fabs(t - jd) * 86400);
    return best;
  };
  int quarters = 0, times = 0, places = 0;
  for (const auto& r : ref) {
    SCOPED_TRACE(r[0] + " " + r[1]);
    if (r[0] == "quarter") {
      static constexpr almanac::EventKind kinds[] = {
          almanac::EventKind::NewMoon, almanac::EventKind::FirstQuarter,
          almanac::EventKind::FullMoon, almanac::EventKind::LastQuarter};
      std::vector<double> mine;
      for (const almanac::Event& e : ev)
        if (e.kind == kinds[std::stoi(r[1])]) mine.push_back(e.jd);
      const double jd = std::stod(r[2]);
      if (jd < almanac::jdOfJst(2024, 1, 1, 0, 0, 0)) continue;
      // astronomy-engine's own Moon is good to about 2", 4 s of a quarter.
      EXPECT_LE(nearest(mine, jd), 4.0);
      ++quarters;
    } else if (r[0] == "moonrise" || r[0] == "moonset" || r[0] == "transit") {
      const auto& mine = r[0] == "moonrise" ? rises : r[0] == "moonset" ? sets : transits;
      EXPECT_LE(nearest(mine, std::stod(r[1])), 2.0);
      ++times;
    } else if (r[0] == "topocentric") {
      const astro::Topocentric p = ephemeris::moonFromSite(
          std::stod(r[1]), kDeltaT, {std::stod(r[2]), std::stod(r[3])});
      EXPECT_NEAR(p.azimuth, std::stod(r[4]), 0.001);
      EXPECT_NEAR(p.altitude, std::stod(r[5]), 0.001);
      ++places;
    }
  }
  EXPECT_EQ(quarters, 16);
  EXPECT_EQ(times, 15);
  EXPECT_EQ(places, 3);
}

// Danjon's rule lists every eclipse with a positive penumbral magnitude:
// 228 in 2001-2100, as NASA's current canon counts them; the older
// canon's grazing penumbral eclipses of 1951-02-21, 2016-08-18 and
// 2042-10-28 are none by that rule.
TEST(Almanac, LunarEclipsesAreTheCurrentCanonsByDanjonsRule) {
  EXPECT_EQ(almanac::lunarEclipses(almanac::jdOfJst(2001, 1, 1, 9, 0, 0),
                                   almanac::jdOfJst(2101, 1, 1, 9, 0, 0), 69.2)
                .size(),
            228u);
  for (const almanac::Date d : {almanac::Date{1951, 2, 21}, almanac::Date{2016, 8, 18},
                                almanac::Date{2042, 10, 28}}) {
    const double day = almanac::jdOfJst(d.year, d.month, d.day, 0, 0, 0);
    EXPECT_TRUE(almanac::lunarEclipses(day - 1, day + 2, 69.2).empty()) << d.year;
  }
}

// The measured delta T the almanac takes by default, against the values
// measured (IERS; Espenak and Meeus's table) at the start of each year.
TEST(Almanac, DefaultDeltaTIsTheMeasuredOne) {
  const std::pair<int, double> measured[] = {{1950, 29.07}, {1960, 33.15}, {1970, 40.18},
                                             {1980, 50.54}, {1990, 56.86}, {2000, 63.83},
                                             {2010, 66.07}, {2020, 69.36}};
  for (const auto& [year, dt] : measured)
    EXPECT_NEAR(ephemeris::deltaT(almanac::jdOfJst(year, 1, 1, 9, 0, 0)), dt, 1.0) << year;
  EXPECT_NEAR(almanac::measuredDeltaT(2024, 7), 69.2, 1.0);
  EXPECT_NEAR(ephemeris::deltaT(almanac::jdOfJst(1900, 1, 1, 9, 0, 0)), -2.72, 1.5);
  const double dt1800 = ephemeris::deltaT(almanac::jdOfJst(1800, 1, 1, 9, 0, 0));
  EXPECT_GE(dt1800, 12);
  EXPECT_LE(dt1800, 20);
}

// High latitudes: a Moon that does not set and one that does not rise,
// the midnight sun and the polar night are four different things, and a
// day with two moonrises (or moonsets) shows both; against PyEphem.
TEST(Almanac, HighLatitudeDaysAreToldApart) {
  const astro::Site tromso{69.65, 18.96};
  for (const auto& r : dataRows("almanac_tromso_high_latitude.tsv")) {
    SCOPED_TRACE(r[0] + " " + r[1] + " " + r[2]);
    const almanac::Date day{std::stoi(r[0].substr(0, 4)), std::stoi(r[0].substr(5, 2)),
                            std::stoi(r[0].substr(8, 2))};
    const auto rows = almanac::month(day.year, day.month, tromso, std::stod(r[3]));
    const almanac::DayRow& row = rows[static_cast<size_t>(day.day - 1)];
    const bool moon = r[1] == "moon";
    const std::vector<std::string> cells = almanacCells(row, true);
    const std::string& cell = cells[moon ? (r[2] == "rise" ? 2 : 6) : 8];
    if (r[4] == "up" || r[4] == "down") {
      const almanac::AllDay expected = r[4] == "up" ? almanac::AllDay::Up : almanac::AllDay::Down;
      EXPECT_EQ(moon ? row.moonAllDay : row.sunAllDay, expected);
      const char* text = moon ? (r[4] == "up" ? "沈まない" : "昇らない")
                              : (r[4] == "up" ? "白夜" : "極夜");
      EXPECT_EQ(cell, text);
      continue;
    }
    const bool rise = r[2] == "rise";
    const std::optional<double> first = rise ? row.moonrise : row.moonset;
    const std::optional<double> second = rise ? row.secondMoonrise : row.secondMoonset;
    ASSERT_TRUE(first && second);
    // The Moon grazes the horizon up here: PyEphem's arcsecond is a few
    // seconds of time.
    EXPECT_LE(std::fabs(secondsFrom(*first, day, r[4].substr(0, 8)) - std::stod(r[4].substr(6)) +
                        std::stoi(r[4].substr(6, 2))),
              5);
    EXPECT_LE(std::fabs(secondsFrom(*second, day, r[5].substr(0, 8)) - std::stod(r[5].substr(6)) +
                        std::stoi(r[5].substr(6, 2))),
              5);
    EXPECT_EQ(cell, clockText(first, true) + "、" + clockText(second, true));
  }
}

// A time at 23:59:30 or later once read "00:00" in its own day's row, and
// an observer went out a day early.
TEST(Almanac, LateTimesNeverRoundIntoTheNextDay) {
  const double late = almanac::jdOfJst(2024, 1, 31, 23, 59, 45);
  EXPECT_EQ(clockText(late, false), "23:59");
  EXPECT_EQ(clockText(late + 14.8 / 86400, true), "23:59:59");
  EXPECT_EQ(almanac::jstOf(late + 14.8 / 86400).day, 31);
  EXPECT_EQ(clockText(late + 15.2 / 86400, true), "00:00:00");
  EXPECT_EQ(almanac::jstOf(late + 15.2 / 86400).day, 1);
  // Within the day, to the nearest second.
  EXPECT_EQ(clockText(almanac::jdOfJst(2024, 1, 31, 12, 0, 0) + 0.6 / 86400, true), "12:00:01");
}

TEST(AlmanacCli, PrintsTheTableAndTheEventsInTheirFormats) {
  const CliRun month = runCli("--almanac 2024-01 --lat 35.6544 --lon 139.7447 --dt 72.2");
  ASSERT_EQ(month.status, 0) << month.err;
  std::istringstream lines(month.out);
  std::string site, header, first;
  std::getline(lines, site);
  std::getline(lines, header);
  std::getline(lines, first);
  // Typed coordinates name no site.
  EXPECT_EQ(site, "観測地\t\t35.6544\t139.7447\tΔT\t72.2");
  EXPECT_EQ(header, almanacHeader('\t'));
  EXPECT_EQ(first.substr(0, 16), "2024/01/01\t19.1\t");
  EXPECT_EQ(std::count(month.out.begin(), month.out.end(), '\n'), 33);
  // 02:53:5x: the minutes are cut, not rounded.
  EXPECT_NE(month.out.find("\t満月 02:53\t12月16日\n"), std::string::npos);
  // Without --dt the measured delta T, stated on the first line.
  const CliRun measured = runCli("--almanac 2024-06 --site 0");
  ASSERT_EQ(measured.status, 0) << measured.err;
  EXPECT_EQ(measured.out.substr(0, measured.out.find('\n')).substr(measured.out.find("ΔT")),
            "ΔT\t" + formatPlain(almanac::measuredDeltaT(2024, 6)));

  const CliRun year = runCli("--events 2024 --dt 72.6");
  ASSERT_EQ(year.status, 0) << year.err;
  EXPECT_NE(year.out.find("\t部分月食\t0.08"), std::string::npos);
  EXPECT_NE(year.out.find("\t新月\t\n"), std::string::npos);
  // The solar eclipses at their greatest (UT 8 April 18:17, 2 October
  // 18:45), with their magnitudes as the canons give them: 1.0566, 0.9326.
  for (const char* eclipse : {"2024/04/09 03:17:", "\t皆既日食\t1.057\n",
                              "2024/10/03 03:45:", "\t金環日食\t0.933\n"})
    EXPECT_NE(year.out.find(eclipse), std::string::npos) << eclipse;
}

TEST(AlmanacCli, AutomaticDeltaTIsTheFieldsRule) {
  // After 1934 the year minus 1935; before, the value ΔT would have anyway.
  EXPECT_EQ(runCli("--events 2001 --auto-dt").out, runCli("--events 2001 --dt 66").out);
  EXPECT_EQ(runCli("--events 1900 --auto-dt").out, runCli("--events 1900 --dt -34").out);
}

TEST(AlmanacCli, YearsOutsideTheRangeAreRefused) {
  for (const char* args :
       {"--almanac 1582-12", "--almanac 3000-01", "--events 1582", "--events 3000 --site 0",
        "--solar-eclipses 1582 2000", "--solar-eclipses 2000 3000"}) {
    SCOPED_TRACE(args);
    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(almanacRangeMessage()), std::string::npos) << r.err;
  }
  EXPECT_TRUE(almanac::month(1582, 12, {35, 139}, 0).empty());
  EXPECT_EQ(almanac::month(2999, 12, {35, 139}, 0).size(), 31u);
  EXPECT_EQ(runCli("--almanac 2024-13").status, 2);
}

// The eclipses seen at Sapporo, 2030 to 2035: the header as users' scripts
// read it, one line of nine cells for each eclipse the Swiss Ephemeris's
// search lists there (tests/data/solar_eclipses_swiss_ephemeris.tsv), the
// contacts of the annular phase only where there is one, and each year
// under its own measured delta T.
TEST(AlmanacCli, SolarEclipsesListTheSitesEclipsesEachUnderItsYearsDeltaT) {
  const std::string site = " --lat 43.0621 --lon 141.3544";
  const CliRun r = runCli("--solar-eclipses 2030 2035" + site);
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  std::string header;
  std::getline(lines, header);
  EXPECT_EQ(header,
            "種類\t食の始め\t第2接触\t食の最大\t第3接触\t食の終わり\t食分\t面積比\t最大時の太陽高度");
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
    ASSERT_EQ(cells.size(), 9u) << line;
    rows.push_back(cells);
  }
  const double from = almanac::jdOfJst(2030, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(2036, 1, 1, 0, 0, 0);
  size_t listed = 0;
  for (const auto& ref : dataRows("solar_eclipses_swiss_ephemeris.tsv"))
    if (ref[0] == "L" && ref[1] == "sapporo" && std::stod(ref[5]) >= from &&
        std::stod(ref[5]) < to)
      ++listed;
  EXPECT_EQ(rows.size(), listed);
  ASSERT_FALSE(rows.empty());
  // 2030-06-01, annular over Hokkaido.
  EXPECT_EQ(rows[0][0], "金環日食");
  EXPECT_EQ(rows[0][3].substr(0, 11), "2030/06/01 ");
  for (const auto& cells : rows) {
    const bool central = cells[0] != "部分日食";
    EXPECT_EQ(cells[2] != "--", central) << cells[3];
    EXPECT_EQ(cells[4] != "--", central) << cells[3];
    EXPECT_EQ(cells[6].size(), 6u) << cells[6];
  }
  std::string yearByYear = header + "\n";
  for (int year = 2030; year <= 2035; ++year) {
    const std::string y = std::to_string(year);
    const CliRun one = runCli("--solar-eclipses " + y + " " + y + site + " --dt " +
                              formatPlain(almanac::measuredDeltaT(year)));
    yearByYear += one.out.substr(one.out.find('\n') + 1);
  }
  EXPECT_EQ(r.out, yearByYear);
}

TEST(AlmanacCli, TopocentricLinesFollowTheUsualFields) {
  const std::string args = "--date 2001-03-09 --time 21:05:00 --dt 66 --lat 35.6544 --lon 139.7447";
  const CliRun plain = runCli(args);
  const CliRun topo = runCli(args + " --topocentric");
  ASSERT_EQ(topo.status, 0) << topo.err;
  ASSERT_EQ(topo.out.substr(0, plain.out.size()), plain.out);
  const double az = std::stod(line(topo.out, "月の方位(観測地)"));
  const double alt = std::stod(line(topo.out, "月の高度(観測地)"));
  // The parallax lowers the Moon by up to a degree; refraction lifts it a
  // little; the azimuth hardly moves.
  const double geoAlt = std::stod(line(plain.out, "月の高度"));
  EXPECT_LT(alt, geoAlt);
  EXPECT_GT(alt, geoAlt - 1.1);
  EXPECT_NEAR(az, std::stod(line(plain.out, "月の方位")), 0.5);

  // Without --dt the main fields take the year minus 1934, the Moon seen
  // from the site the measured delta T of the instant.
  const CliRun measured =
      runCli("--date 2001-03-09 --time 21:05:00 --lat 35.6544 --lon 139.7447 --topocentric");
  ASSERT_EQ(measured.status, 0) << measured.err;
  const double instant = almanac::jdOfJst(2001, 3, 9, 21, 5, 0);
  const astro::MoonFromSite m =
      astro::moonFromSite(instant, ephemeris::deltaT(instant), {35.6544, 139.7447});
  EXPECT_EQ(line(measured.out, "月の高度(観測地)"), formatResult(m.altitude));
  EXPECT_EQ(line(measured.out, "月の方位(観測地)"), formatResult(m.azimuth));
}

// Every term and longitude-defined 雑節 of five years from 1901 to 2098
// (2033 among them), each within 2 s of the library's own crossing search
// under the same delta T, and none missing or extra.
TEST(Koyomi, TermsAgreeWithTheEphemerisCrossingSearch) {
  std::map<int, std::vector<std::vector<std::string>>> byYear;
  for (const auto& r : dataRows("koyomi_solcross.tsv")) byYear[std::stoi(r[0])].push_back(r);
  ASSERT_EQ(byYear.size(), 5u);
  for (const auto& [year, rows] : byYear) {
    SCOPED_TRACE(year);
    const koyomi::Year y = koyomi::year(year, std::stod(rows[0][1]));
    ASSERT_EQ(y.timed.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      const koyomi::Timed& t = y.timed[i];
      EXPECT_EQ(t.longitude, std::stoi(rows[i][2])) << i;
      EXPECT_EQ(t.kind == koyomi::TimedKind::Term, rows[i][3] == "term") << i;
      EXPECT_LE(std::fabs(t.jd - std::stod(rows[i][4])) * 86400, 2.0) << rows[i][2];
    }
  }
}

// The national almanac's minutes and days, the published months of 旧暦
// (閏11月 in 2033) and 中秋の名月, with the default (measured) delta T.
TEST(Koyomi, AgreesWithThePublishedCalendar) {
  std::map<int, std::vector<std::string>> lines;
  auto linesOf = [&](int year) -> const std::vector<std::string>& {
    auto it = lines.find(year);
    if (it == lines.end())
      it = lines.emplace(year, koyomiLines(koyomi::year(year, almanac::measuredDeltaT(year)))).first;
    return it->second;
  };
  int checked = 0;
  for (const auto& r : dataRows("koyomi_published.tsv")) {
    SCOPED_TRACE(r[1] + " " + r[2]);
    const std::vector<std::string>& all = linesOf(std::stoi(r[1].substr(0, 4)));
    if (r[0] == "term") {
      // "YYYY/MM/DD HH:MM:SS<TAB>name<TAB>longitude", rounded to the minute.
      const auto at = std::find_if(all.begin(), all.end(), [&](const std::string& l) {
        return l.size() > 20 && l.compare(0, 10, r[1], 0, 10) == 0 &&
               l.compare(19, r[2].size() + 2, "\t" + r[2] + "\t") == 0;
      });
      ASSERT_NE(at, all.end());
      const int h = std::stoi(at->substr(11, 2)), m = std::stoi(at->substr(14, 2)),
                s = std::stoi(at->substr(17, 2));
      const int minutes = h * 60 + m + (s >= 30 ? 1 : 0);
      EXPECT_EQ(minutes, std::stoi(r[1].substr(11, 2)) * 60 + std::stoi(r[1].substr(14, 2))) << *at;
    } else if (r[0] == "dated") {
      // A longitude-defined 雑節 is dated by the day of its instant.
      const bool found = std::any_of(all.begin(), all.end(), [&](const std::string& l) {
        return l == r[1] + "\t" + r[2] ||
               (l.compare(0, 10, r[1]) == 0 && l.find("\t" + r[2] + "\t") == 19);
      });
      EXPECT_TRUE(found);
    } else {
      std::string months;
      for (const std::string& l : all) {
        if (l.find("\t旧暦\t") == std::string::npos) continue;
        if (!months.empty()) months += ' ';
        months += l.substr(0, 10) + " " + l.substr(l.rfind('\t') + 1);
        months.resize(months.size() - std::string("1日").size());
      }
      EXPECT_EQ(months, r[2]);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 131);
  // The sexagenary count of the 社日: 2024-01-01 was a 甲子 day, 2000-01-01 戊午.
  EXPECT_EQ(koyomi::sexagenaryDay(astro::dayNumberOfDate(2024, 1, 1)), 0);
  EXPECT_EQ(koyomi::sexagenaryDay(astro::dayNumberOfDate(2000, 1, 1)), 54);
}

// The monthly table names every term, 雑節, holiday and moon-viewing night
// of the year's calendar in the row of its day, with the time where it
// has one, and ends with the day's 旧暦 date.
TEST(Koyomi, TheMonthTableCarriesTheCalendar) {
  const double dt = 69;
  const std::vector<std::string> year = koyomiLines(koyomi::year(2024, dt));
  for (const int m : {3, 9}) {
    for (const almanac::DayRow& row : almanac::month(2024, m, {35.6544, 139.7447}, dt)) {
      const std::vector<std::string> cells = almanacCells(row, false);
      const std::string date = cells[0];
      SCOPED_TRACE(date + " " + cells[10]);
      for (const std::string& l : year) {
        if (l.compare(0, 10, date) != 0 || l.find("\t旧暦\t") != std::string::npos) continue;
        const size_t tab = l.find('\t');
        std::string name = l.substr(tab + 1, l.find('\t', tab + 1) - tab - 1);
        if (tab > 10) name += " " + l.substr(11, 5);
        EXPECT_NE(cells[10].find(name), std::string::npos) << name;
      }
    }
  }
  const auto rows = almanac::month(2024, 9, {35.6544, 139.7447}, dt);
  EXPECT_EQ(almanacCells(rows[16], false)[10], "十五夜");
  EXPECT_EQ(almanacCells(rows[16], false)[11], "8月15日");
  EXPECT_EQ(almanacCells(rows[21], false)[10], "秋分の日、秋分 21:43");
}

// The year's calendar is kept from one month to the next: a month of
// another delta T or another year must not take the one kept.
TEST(Koyomi, AMonthNeverTakesTheCalendarOfAnotherDeltaTOrYear) {
  const astro::Site tokyo{35.6544, 139.7447};
  for (const auto& [year, dt] : {std::pair{2024, 69.0}, {2024, 300.0}, {2025, 300.0}}) {
    const auto rows = almanac::month(year, 3, tokyo, dt);
    std::vector<double> terms;
    for (const almanac::DayRow& r : rows)
      for (const koyomi::Timed& t : r.terms) terms.push_back(t.jd);
    std::vector<double> expected;
    for (const koyomi::Timed& t : koyomi::year(year, dt).timed)
      if (almanac::jstOf(t.jd).month == 3) expected.push_back(t.jd);
    EXPECT_EQ(terms, expected) << year << " " << dt;
  }
}

TEST(AlmanacCli, KoyomiPrintsTheYearInDateOrder) {
  const CliRun r = runCli("--koyomi 2033 --dt 70");
  ASSERT_EQ(r.status, 0) << r.err;
  std::string expected;
  for (const std::string& l : koyomiLines(koyomi::year(2033, 70))) expected += l + "\n";
  EXPECT_EQ(r.out, expected);
  EXPECT_NE(r.out.find("\n2033/12/22\t旧暦\t閏11月1日\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n2033/09/08\t十五夜\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t冬至\t270\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t新月\t\n"), std::string::npos);
  // Without --dt the measured delta T of the year.
  EXPECT_EQ(runCli("--koyomi 2033").out,
            runCli("--koyomi 2033 --dt " + formatPlain(almanac::measuredDeltaT(2033))).out);
}

}  // namespace
