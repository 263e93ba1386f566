// The 月の暦 window's rules without the window: the month it shows for the
// main form's site, a click that moves the main form to an instant, the
// panel of the Moon seen from the site, the outputs, and the window's
// place kept apart from moon.inf.
#include "app/almanac_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

#include "app/main_form.h"
#include "app/year_view_panel.h"
#include "astro/ephemeris.h"
#include "config/additions.h"
#include "config/temp_folder.h"
#include "config/text_file.h"

namespace velmar {
namespace {

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines as a file holds them: Shift-JIS, each ended by CR LF.
std::string fileBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += *toCp932(l) + "\r\n";
  return out;
}

// A headless main form started on 2025-03-14 12:00 JST (the day of a total
// lunar eclipse at full moon) with two sites.
class AlmanacPanelTest : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::from_time_t(1741921200)};
  FilePaths paths{dir / "moon.inf", dir / "sokuti.dat", dir / "velmar-additions.ini"};
  std::unique_ptr<MainForm> main;

  void SetUp() override {
    std::ofstream(paths.sites, std::ios::binary)
        << "Tokyo, 35.6544 , 139.7447 , 40 \r\nSapporo, 43.0642 , 141.3469 , 17 \r\n";
    main = std::make_unique<MainForm>(ui, clock, paths);
    main->startup(19200, 14400);
  }
  // The six date/time fields as the instant they show, to the second.
  std::string fields() const {
    const InstantTexts t = readInstant(main->form());
    return t[0] + "/" + t[1] + "/" + t[2] + " " + t[3] + ":" + t[4] + ":" + t[5];
  }
  static std::string jst(double jd) {
    const almanac::JstTime j = almanac::jstOf(jd);
    return std::to_string(j.year) + "/" + std::to_string(j.month) + "/" + std::to_string(j.day) +
           " " + std::to_string(j.hour) + ":" + std::to_string(j.minute) + ":" +
           std::to_string(j.second);
  }
};

TEST_F(AlmanacPanelTest, FollowsTheSiteAndTheMonthOnlyWhenAsked) {
  AlmanacPanel panel(*main);
  EXPECT_EQ(panel.year(), 2025);
  EXPECT_EQ(panel.month(), 3);
  ASSERT_EQ(panel.rows().size(), 31u);
  EXPECT_EQ(panel.todayRow(), std::optional<size_t>(13));
  EXPECT_EQ(panel.site().latitude, 35.6544);
  // The measured delta T by default; the main form's (the year minus 1934)
  // when chosen, and the choice kept with the additions, not in moon.inf.
  EXPECT_EQ(panel.deltaT(), almanac::measuredDeltaT(2025, 3));
  EXPECT_NEAR(panel.deltaT(), 69, 1);
  panel.setDeltaTChoice(AlmanacDeltaT::MainWindow);
  EXPECT_EQ(panel.deltaT(), 91);
  EXPECT_EQ(main->additions().get("almanac.deltaT"), std::optional<std::string>("main"));
  EXPECT_EQ(AlmanacPanel(*main).deltaTChoice(), AlmanacDeltaT::MainWindow);
  // A delta T beyond a day either way once stalled the window for hours:
  // the month is refused, and told once.
  main->form().setText(Field::DeltaT, "1000000000000");
  main->run("calcButton");
  EXPECT_TRUE(panel.rows().empty());
  EXPECT_EQ(ui.messages, 1);
  EXPECT_NE(ui.lastText.find("86400"), std::string::npos) << ui.lastText;
  main->run("calcButton");
  EXPECT_EQ(ui.messages, 1);
  main->form().setText(Field::DeltaT, "91");
  main->run("calcButton");
  EXPECT_EQ(panel.rows().size(), 31u);
  panel.setDeltaTChoice(AlmanacDeltaT::Measured);
  EXPECT_NE(panel.heading().find("Tokyo"), std::string::npos);
  int months = 0;
  Connection counted(panel.monthChanged(), panel.monthChanged().connect([&] { ++months; }));

  // Another site: the month is computed again for it.
  main->selectSite(1);
  EXPECT_EQ(months, 1);
  EXPECT_EQ(panel.site().latitude, 43.0642);
  EXPECT_EQ(almanacLines(panel.rows(), panel.siteNamed(), '\t'),
            almanacLines(almanac::month(2025, 3, {43.0642, 141.3469}, panel.deltaT()),
                         panel.siteNamed(), '\t'));
  EXPECT_NE(panel.heading().find("Sapporo"), std::string::npos);

  // Calculations that keep the site and delta T leave the month alone,
  // even when the main form's date moves to another month.
  main->form().setText(Field::Month, "7");
  main->run("calcButton");
  EXPECT_EQ(months, 1);
  EXPECT_EQ(panel.month(), 3);

  panel.nextMonth();
  EXPECT_EQ(panel.month(), 4);
  EXPECT_EQ(panel.rows().size(), 30u);
  EXPECT_EQ(panel.todayRow(), std::nullopt);
  for (int i = 0; i < 4; ++i) panel.previousMonth();
  EXPECT_EQ(panel.year(), 2024);
  EXPECT_EQ(panel.month(), 12);
  panel.nextMonth();
  EXPECT_EQ(panel.year(), 2025);
  EXPECT_EQ(panel.month(), 1);

  // The main window's month, when asked for.
  panel.followMainDate();
  EXPECT_EQ(panel.month(), 7);
  EXPECT_EQ(panel.rows().size(), 31u);

  // Years the almanac does not answer for are refused with its message.
  const int messages = ui.messages;
  EXPECT_FALSE(panel.showMonth(1582, 12));
  EXPECT_FALSE(panel.showMonth(3000, 1));
  EXPECT_EQ(ui.messages, messages + 2);
  EXPECT_EQ(ui.lastText, almanacRangeMessage());
  EXPECT_EQ(panel.year(), 2025);
  EXPECT_EQ(panel.month(), 7);
  main->form().setText(Field::Year, "1200");
  panel.followMainDate();
  EXPECT_EQ(ui.messages, messages + 3);
  EXPECT_EQ(panel.month(), 7);
  EXPECT_EQ(panel.rows().size(), 31u);
}

TEST_F(AlmanacPanelTest, AClickSetsTheInstantToTheSecondAndCalculates) {
  AlmanacPanel panel(*main);
  int draws = 0;
  const int id = main->onDraw([&] { ++draws; }, ViewStage::Face);
  const almanac::DayRow day = panel.rows()[13];
  ASSERT_TRUE(day.moonrise);

  // Moonrise: the fields show its time, the calculation ran for it, and the
  // Moon seen from the site stands where rising means: its upper limb on
  // the sea-level horizon.
  EXPECT_TRUE(panel.activate(13, AlmanacColumn::Moonrise));
  EXPECT_EQ(draws, 1);
  EXPECT_EQ(fields(), jst(*day.moonrise));
  EXPECT_EQ(fields(), "2025/3/14 17:47:45");
  const astro::Calculation& shown = main->calculator().result();
  const double instant = astro::instantOf(shown.time);
  EXPECT_NEAR(instant, *day.moonrise, 0.5 / 86400);
  // With the measured delta T of the instant, as the command line's
  // --topocentric without --dt: bit for bit what it prints.
  const astro::MoonFromSite seen =
      astro::moonFromSite(instant, ephemeris::deltaT(instant), shown.site);
  EXPECT_EQ(panel.observed().azimuth, seen.azimuth);
  EXPECT_EQ(panel.observed().altitude, seen.altitude);
  EXPECT_EQ(panel.observed().semidiameter, seen.semidiameter);
  EXPECT_EQ(panel.observed().distance, seen.distance);
  // Half a second of the Moon's rising is under 0.003 degrees.
  EXPECT_NEAR(seen.geometricAltitude, -34.0 / 60 - seen.semidiameter, 0.003);
  EXPECT_NEAR(seen.azimuth, day.moonriseAzimuth, 0.01);
  const auto lines = panel.observedLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].second, "87.31°");

  // An angle stands for its time; the date and the noon age for the day.
  EXPECT_TRUE(panel.activate(12, AlmanacColumn::TransitAltitude));
  EXPECT_EQ(fields(), jst(*panel.rows()[12].transit));
  EXPECT_NEAR(std::fabs(panel.observed().azimuth - 180), 0, 0.01);  // due south
  EXPECT_TRUE(panel.activate(2, AlmanacColumn::NoonAge));
  EXPECT_EQ(fields(), "2025/3/3 12:0:0");
  EXPECT_TRUE(panel.activate(30, AlmanacColumn::Date));
  EXPECT_EQ(fields(), "2025/3/31 0:0:0");

  // The day's two events in turn, then the first again.
  ASSERT_EQ(day.events.size(), 2u);
  EXPECT_TRUE(panel.activate(13, AlmanacColumn::Events));
  EXPECT_EQ(fields(), jst(day.events[0].jd));
  EXPECT_TRUE(panel.activate(13, AlmanacColumn::Events));
  EXPECT_EQ(fields(), jst(day.events[1].jd));
  EXPECT_TRUE(panel.activate(13, AlmanacColumn::Events));
  EXPECT_EQ(fields(), jst(day.events[0].jd));

  // No transit on the 14th, no events on the 1st: nothing moves.
  const int before = draws;
  EXPECT_FALSE(panel.activate(13, AlmanacColumn::Transit));
  EXPECT_FALSE(panel.activate(0, AlmanacColumn::Events));
  EXPECT_FALSE(panel.activate(99, AlmanacColumn::Moonrise));
  EXPECT_EQ(draws, before);

  // A term has its time: 春分 on the 20th.
  ASSERT_EQ(panel.rows()[19].terms.size(), 1u);
  EXPECT_TRUE(panel.activate(19, AlmanacColumn::Events));
  EXPECT_EQ(fields(), jst(panel.rows()[19].terms[0].jd));

  // A solar eclipse seen here (2030-06-01, annular in Hokkaido, partial in
  // Tokyo): the row's detail holds the contacts here, and one of the clicks
  // on it sets the main window to its maximum here.
  ASSERT_TRUE(panel.showMonth(2030, 6));
  const auto here = solar::localEclipses(almanac::jdOfJst(2030, 6, 1, 0, 0, 0),
                                         almanac::jdOfJst(2030, 6, 2, 0, 0, 0), panel.site(),
                                         panel.deltaT());
  ASSERT_EQ(here.size(), 1u);
  EXPECT_NE(panel.detail(0, AlmanacColumn::Events).find(localEclipseDetail(here[0])),
            std::string::npos);
  bool atMaximum = false;
  for (size_t k = 0; k < panel.rows()[0].events.size() && !atMaximum; ++k) {
    EXPECT_TRUE(panel.activate(0, AlmanacColumn::Events));
    atMaximum = fields() == jst(here[0].maximum.jd);
  }
  EXPECT_TRUE(atMaximum);
  main->offDraw(id);
}

// Fault guarded: 月の暦's CSV dialog opened in the data folder (a bare
// name) while every other save dialog opens in the documents folder.
TEST(AlmanacExport, CsvDialogOpensInTheDataFolder) {
  struct Offered : PlainWindows {
    std::vector<std::string> names;
    std::optional<FileChoice> chooseSaveFile(const std::string&, const std::vector<FileFilter>&,
                                             const std::string& current, int) override {
      names.push_back(current);
      return std::nullopt;
    }
  } files;
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::from_time_t(1741921200)};
  ManualTimer timer;
  testing::TempFolder dir;
  MainForm main(Ports{ui, clock, timer, files, files},
                {dir / "moon.inf", dir / "sokuti.dat", dir / "velmar-additions.ini"});
  main.run(Cmd::ChooseExportFile);
  AlmanacPanel(main).exportFile();
  ASSERT_EQ(files.names.size(), 2u);
  const auto folder = [](const std::string& p) { return p.substr(0, p.find_last_of('/') + 1); };
  EXPECT_FALSE(folder(files.names[0]).empty());
  EXPECT_EQ(folder(files.names[1]), folder(files.names[0]));
}

TEST_F(AlmanacPanelTest, FilesClipboardAndPrinterGetTheTableToTheSecond) {
  AlmanacPanel panel(*main);
  const std::vector<std::string> csv = almanacLines(panel.rows(), panel.siteNamed(), ',');
  PlainWindows& w = *main->headlessWindows();

  // The file dialog's choice decides the separator, as for the export file.
  w.nextFile = FileChoice{dir / "march", 1};
  panel.exportFile();
  EXPECT_EQ(bytesOf(dir / "march.tsv"), fileBytes(almanacLines(panel.rows(), panel.siteNamed(), '\t')));
  w.nextFile = FileChoice{dir / "march.csv", 1};
  panel.exportFile();
  EXPECT_EQ(bytesOf(dir / "march.csv"), fileBytes(csv));
  EXPECT_EQ(csv.size(), 33u);
  EXPECT_EQ(csv[0], "観測地,Tokyo,35.6544,139.7447,ΔT," + formatPlain(panel.deltaT()));
  // A name holding the separator keeps the line's six fields.
  EXPECT_EQ(almanacSiteLine({"Tokyo, \"Hongo\"", {35.5, 139.25}, 69.2}, ','),
            "観測地,\"Tokyo, \"\"Hongo\"\"\",35.5,139.25,ΔT,69.2");
  EXPECT_EQ(csv[15],
            "2025/03/14,14.1,17:47:45,87.3,--,--,05:48:37,276.3,05:53:34,17:47:26,"
            "満月 15:54、皆既月食 15:58,2月15日");
  // A file that cannot be written is told.
  const int messages = ui.messages;
  w.nextFile = FileChoice{dir / "no-such-folder/march.csv", 0};
  panel.exportFile();
  EXPECT_EQ(ui.messages, messages + 1);

  // Ctrl+C: the site line, the header and the chosen rows, or the whole
  // month.
  EXPECT_EQ(panel.copyText({13}), almanacSiteLine(panel.siteNamed(), '\t') + "\n" +
                                      almanacHeader('\t') + "\n" +
                                      almanacLine(panel.rows()[13], '\t', true) + "\n");
  std::string all;
  for (const std::string& l : almanacLines(panel.rows(), panel.siteNamed(), '\t')) all += l + "\n";
  EXPECT_EQ(panel.copyText({}), all);

  // The printer: asked first; the listing's columns line up.
  w.printAnswer = {PrintResult::Status::Printed, ""};
  panel.print();
  ASSERT_EQ(w.printed.size(), 1u);
  const std::vector<std::string>& listing = w.printed[0].lines;
  ASSERT_EQ(listing.size(), 33u);
  EXPECT_EQ(listing[0], "観測地  Tokyo  35.6544  139.7447  ΔT  " + formatPlain(panel.deltaT()));
  EXPECT_EQ(panel.pdfName(), "VelmarAlmanac-2025-03.pdf");
  // Every cell but the events and the 旧暦 date is ASCII: the events start
  // where their title does, and the 旧暦 date, last, where its own does.
  const std::string& titles = listing[1];
  const size_t titleWidth = displayWidth(titles.substr(0, titles.rfind("出来事")));
  const size_t lunarWidth = displayWidth(titles.substr(0, titles.rfind("旧暦")));
  int withEvents = 0;
  for (size_t i = 2; i < listing.size(); ++i) {
    const std::string& full = listing[i];
    const size_t last = full.rfind("  ") + 2;
    EXPECT_EQ(displayWidth(full.substr(0, last)), lunarWidth) << full;
    const std::string l = full.substr(0, last);
    const auto at = std::find_if(l.begin(), l.end(), [](char c) { return c & 0x80; });
    if (at == l.end()) continue;
    ++withEvents;
    EXPECT_EQ(displayWidth(l.substr(0, static_cast<size_t>(at - l.begin()))), titleWidth) << l;
  }
  EXPECT_GE(withEvents, 6);
  // Minutes cut, not rounded: 17:47:45 reads 17:47.
  const std::string fourteenth = "2025/03/14  14.1      17:47   87.3        --     --        05:48";
  EXPECT_EQ(listing[15].substr(0, fourteenth.size()), fourteenth);
}

// The year view (暦要項) holds the --koyomi lines, to the nearest minute as
// the national almanac prints them, and the year's eclipses, in time
// order; a row with an instant moves the main form there; the file is
// Shift-JIS with CR LF.
TEST_F(AlmanacPanelTest, YearViewHoldsTheKoyomiLinesAndTheEclipsesInTimeOrder) {
  YearViewPanel panel(*main);
  EXPECT_EQ(panel.year(), 2025);
  EXPECT_EQ(panel.deltaT(), almanac::measuredDeltaT(2025));
  const std::vector<YearViewRow>& rows = panel.rows();

  // The eclipses apart: the year's lunar and solar eclipses (2025: 皆既月食
  // in March and September, 部分日食 in March and September), by name.
  const double from = almanac::jdOfJst(2025, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(2026, 1, 1, 0, 0, 0);
  std::vector<std::string> eclipses;
  for (const almanac::Event& e : almanac::events(from, to, panel.deltaT()))
    if (isEclipse(e.kind)) eclipses.push_back(eventName(e.kind));
  ASSERT_EQ(eclipses,
            (std::vector<std::string>{"皆既月食", "部分日食", "皆既月食", "部分日食"}));
  std::vector<std::string> eclipseRows;
  std::vector<const YearViewRow*> calendar;
  for (const YearViewRow& r : rows) {
    if (std::find(eclipses.begin(), eclipses.end(), r.cells[2]) != eclipses.end()) {
      eclipseRows.push_back(r.cells[2]);
      EXPECT_TRUE(r.instant.has_value());
    } else {
      calendar.push_back(&r);
    }
  }
  EXPECT_EQ(eclipseRows, eclipses);

  // The rest line by line as --koyomi prints them: "date HH:MM:SS", name,
  // value for the timed items; date and name for a day's items; 旧暦 and
  // the month.
  const std::vector<std::string> lines = koyomiLines(koyomi::year(2025, panel.deltaT()));
  ASSERT_EQ(calendar.size(), lines.size());
  std::set<std::string> kinds;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> f;
    for (size_t start = 0;;) {
      const size_t tab = lines[i].find('\t', start);
      f.push_back(lines[i].substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    const YearViewRow& r = *calendar[i];
    EXPECT_EQ(r.cells[0], f[0].substr(0, 10)) << lines[i];
    EXPECT_EQ(r.cells[2], f[1]) << lines[i];
    kinds.insert(f[1]);
    if (f[0].size() > 10) {
      const int minutes = std::stoi(f[0].substr(11, 2)) * 60 + std::stoi(f[0].substr(14, 2)) +
                          (std::stoi(f[0].substr(17, 2)) >= 30 ? 1 : 0);
      ASSERT_LT(minutes, 24 * 60) << lines[i];
      char hhmm[32];
      std::snprintf(hhmm, sizeof hhmm, "%02d:%02d", minutes / 60, minutes % 60);
      EXPECT_EQ(r.cells[1], hhmm) << lines[i];
      EXPECT_EQ(r.cells[3], f[2].empty() ? f[2] : f[2] + "°") << lines[i];
      EXPECT_TRUE(r.instant.has_value());
    } else {
      EXPECT_EQ(r.cells[1], "") << lines[i];
      if (f.size() > 2) {
        EXPECT_EQ(r.cells[3], f[2]) << lines[i];
      }
    }
  }
  for (const char* k : {"立春", "土用の入り", "入梅", "半夏生", "節分", "社日", "春分の日", "十五夜",
                        "十三夜", "新月", "上弦", "満月", "下弦", "旧暦"})
    EXPECT_EQ(kinds.count(k), 1u) << k;
  // Time order: the date, then the time; a day's items without one first.
  for (size_t i = 1; i < rows.size(); ++i)
    EXPECT_LE(rows[i - 1].cells[0] + rows[i - 1].cells[1], rows[i].cells[0] + rows[i].cells[1])
        << rows[i].cells[2];

  // 中秋の名月 2025 is 10月6日 (国立天文台 暦計算室, 中秋の名月の日付), the full
  // moon a day later: the row shows it and goes to it.
  const auto jugoya = std::find_if(rows.begin(), rows.end(),
                                   [](const YearViewRow& r) { return r.cells[2] == "十五夜"; });
  ASSERT_NE(jugoya, rows.end());
  EXPECT_EQ(jugoya->cells[0], "2025/10/06");
  EXPECT_EQ(jugoya->cells[3].rfind("満月 10/07 ", 0), 0u) << jugoya->cells[3];
  ASSERT_TRUE(panel.activate(static_cast<size_t>(jugoya - rows.begin())));
  EXPECT_EQ(fields(), jst(*jugoya->instant));
  const auto setsubun = std::find_if(rows.begin(), rows.end(),
                                     [](const YearViewRow& r) { return r.cells[2] == "節分"; });
  EXPECT_FALSE(panel.activate(static_cast<size_t>(setsubun - rows.begin())));

  // The file: the delta T, the header and the rows, Shift-JIS and CR LF,
  // the separator by the dialog's choice.
  PlainWindows& w = *main->headlessWindows();
  w.nextFile = FileChoice{dir / "koyomi", 1};
  panel.exportFile();
  const std::vector<std::string> tsv = yearViewLines(rows, panel.deltaT(), '\t');
  EXPECT_EQ(bytesOf(dir / "koyomi.tsv"), fileBytes(tsv));
  EXPECT_EQ(tsv[0], "ΔT\t" + formatPlain(panel.deltaT()));
  EXPECT_EQ(tsv[1], "日付\t時刻\t項目\t値");
  EXPECT_EQ(tsv.size(), rows.size() + 2);
  EXPECT_EQ(panel.pdfName(), "VelmarKoyomi-2025.pdf");
  // The printout: asked first, the heading, then the columns lined up, the
  // item column where its title starts.
  w.printAnswer = {PrintResult::Status::Printed, ""};
  panel.print();
  ASSERT_EQ(w.printed.size(), 1u);
  const std::vector<std::string>& listing = w.printed[0].lines;
  ASSERT_EQ(listing.size(), rows.size() + 2);
  EXPECT_EQ(listing[0].rfind("暦要項", 0), 0u) << listing[0];
  const size_t itemAt = displayWidth(listing[1].substr(0, listing[1].find("項目")));
  for (size_t i = 2; i < listing.size(); ++i) {
    const std::string& item = rows[i - 2].cells[2];
    EXPECT_EQ(displayWidth(listing[i].substr(0, listing[i].find(item))), itemAt) << listing[i];
  }

  // Another year from the keyboard's commands; one beyond the range is
  // refused and told.
  panel.nextYear();
  EXPECT_EQ(panel.year(), 2026);
  const int messages = ui.messages;
  EXPECT_FALSE(panel.showYear(almanac::kLastYear + 1));
  EXPECT_EQ(ui.messages, messages + 1);
  EXPECT_EQ(panel.year(), 2026);
}

TEST_F(AlmanacPanelTest, ThePlaceIsKeptWithTheAdditionsNotInMoonInf) {
  main->saveinf(false, 19200, 14400);
  const std::string inf = bytesOf(paths.settings);
  {
    AlmanacPanel panel(*main);
    // Unplaced: centred at its usual size, and no larger than a small screen.
    const WindowPlacement first = panel.placement(19200, 14400);
    EXPECT_GT(first.top, 0);
    EXPECT_EQ(first.width, 14400);
    const WindowPlacement small = panel.placement(15360, 9000);
    EXPECT_LE(small.width, 15360);
    EXPECT_LE(small.height + 600, 9000);
    EXPECT_TRUE(panel.keepPlacement({1200, 300, 9000, 7000}).ok());
  }
  EXPECT_EQ(bytesOf(paths.settings), inf);
  // Read back by a form of a later run.
  MainForm later(ui, clock, paths);
  later.startup(19200, 14400);
  AlmanacPanel panel(later);
  const WindowPlacement p = panel.placement(19200, 14400);
  EXPECT_EQ(p.top, 1200);
  EXPECT_EQ(p.left, 300);
  EXPECT_EQ(p.width, 9000);
  EXPECT_EQ(p.height, 7000);
}

TEST(AdditionStore, KeepsWhatItDoesNotKnowAndNeverOverwritesAnUnreadFile) {
  testing::TempFolder dir;
  const std::string path = dir / "velmar-additions.ini";
  std::ofstream(path, std::ios::binary)
      << fileBytes({"# メモ", "other = 1", "not a setting", "almanac.top = 5"});
  AdditionStore store(path);
  EXPECT_EQ(store.get("other"), std::optional<std::string>("1"));
  EXPECT_TRUE(store.set("almanac.top", "1200"));
  EXPECT_TRUE(store.set("new.key", "東京"));
  EXPECT_FALSE(store.set("bad=key", "x"));
  EXPECT_FALSE(store.set("key", "two\nlines"));
  EXPECT_FALSE(store.set("# comment", "x"));
  EXPECT_TRUE(store.save().ok());
  EXPECT_EQ(bytesOf(path), fileBytes({"# メモ", "other = 1", "not a setting", "almanac.top = 1200",
                                      "new.key = 東京"}));
  EXPECT_EQ(AdditionStore(path).get("new.key"), std::optional<std::string>("東京"));

  // Bytes that are not Shift-JIS: read as nothing, and left alone.
  const std::string broken = "almanac.top = \x80\xff\r\n";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << broken;
  AdditionStore unread(path);
  EXPECT_EQ(unread.get("almanac.top"), std::nullopt);
  EXPECT_TRUE(unread.set("almanac.top", "1"));
  EXPECT_FALSE(unread.save().ok());
  EXPECT_EQ(bytesOf(path), broken);
}

}  // namespace
}  // namespace velmar
