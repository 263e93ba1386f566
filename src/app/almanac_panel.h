#pragma once
// The 月の暦 window without its widgets: the month it shows for the main
// window's site, which row is today, what a click on a time does, the
// panel of the Moon seen from the site at the main window's instant, and
// the table's file, clipboard and printer outputs. The Qt window shows
// this state and forwards the user's input to it.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/table_panel.h"
#include "config/moon_inf.h"
#include "astro/almanac.h"
#include "astro/astro.h"
#include "engine/ports.h"
#include "engine/signal.h"
#include "output/almanac_text.h"
#include "output/eclipse_text.h"
#include "output/export_file.h"

namespace velmar {

class AdditionStore;
class MainForm;

// Every text of the window, in one place.
enum class AlmanacText {
  Title,
  MonthLabel,
  MonthFormat,  // the month picker's, in QDateTimeEdit's terms
  PanelTitle,
  PanelAzimuth,
  PanelAltitude,
  PanelSemidiameter,
  PanelDistance,
  ExportTitle,
  PrintQuestion,
  Count
};
const char* almanacText(AlmanacText t);

// The table's columns, in the order of almanacCells.
enum class AlmanacColumn {
  Date,
  NoonAge,
  Moonrise,
  MoonriseAzimuth,
  Transit,
  TransitAltitude,
  Moonset,
  MoonsetAzimuth,
  Sunrise,
  Sunset,
  Events,
  Lunar
};

// Which delta T the almanac takes: the library's measured value (the
// default), or the main window's field and its rules.
enum class AlmanacDeltaT { Measured, MainWindow };
// The choice as the additions keep it: the 月の暦 and the year view share it.
AlmanacDeltaT keptDeltaTChoice(AdditionStore& additions);
FileStatus keepDeltaTChoice(AdditionStore& additions, AlmanacDeltaT choice);

class AlmanacPanel : public TablePanel {
 public:
  // Shows the month of the main window's date.
  explicit AlmanacPanel(MainForm& main);
  ~AlmanacPanel() override;

  // --- the month ---
  int year() const { return year_; }
  int month() const { return month_; }
  const std::vector<almanac::DayRow>& rows() const { return rows_; }
  // What the month was computed for: the main window's site and delta T
  // (under automatic delta T, that rule for the month's year).
  astro::Site site() const { return site_; }
  double deltaT() const { return deltaT_; }
  // "2024年5月　東京　北緯 35.65°　東経 139.74°　△T 89 秒"
  std::string heading() const;
  // The site line's content: the site's name, its place and the delta T.
  AlmanacSite siteNamed() const;

  // The delta T chosen, kept with the program's additions (never in
  // moon.inf); a change computes the month again.
  AlmanacDeltaT deltaTChoice() const { return choice_; }
  void setDeltaTChoice(AlmanacDeltaT choice);
  // The PDF file's usual name: "VelmarAlmanac-2024-05.pdf".
  std::string pdfName() const;

  // A month of the almanac's years; anything else is refused with the
  // range message and the month stays.
  bool showMonth(int year, int month);
  void previousMonth();
  void nextMonth();
  // The month of the main window's date fields.
  void followMainDate();
  // The row of today (JST, by the main form's clock) when this month holds it.
  std::optional<size_t> todayRow() const { return today_; }

  // The cells of a row as the window shows them (times to the minute), and
  // a cell's longer text to the second; empty when it has none.
  std::vector<std::string> cells(size_t row) const;
  std::string detail(size_t row, AlmanacColumn column) const;

  // The instant a cell stands for: a time and its angle the time, the date
  // 00:00 and the noon age 12:00 JST of the day, the events one of the
  // day's events, terms and 雑節 with a time (the one after the one the
  // main window shows, so that clicking again walks through them; a solar
  // eclipse seen at the site stands for its maximum there). Empty for a
  // time that does not happen that day, or a day without timed items.
  std::optional<double> instantAt(size_t row, AlmanacColumn column) const;
  // Sets the main window's date and time to that instant, to the second in
  // JST, and calculates. False when the cell stands for none.
  bool activate(size_t row, AlmanacColumn column);

  // --- the Moon seen from the site, for the main window's instant ---
  const astro::MoonFromSite& observed() const { return observed_; }
  // Label and value, line by line.
  std::vector<std::pair<std::string, std::string>> observedLines() const;

  // --- outputs ---
  // The header line and the rows (all when `rows` is empty), tab-separated
  // and to the second, one "\n" after each line.
  std::string copyText(const std::vector<size_t>& rows) const;
  // The file dialog, then the table as CSV or TSV by the name chosen
  // (Shift-JIS, CR LF); a failure is told.
  void exportFile();
  FileStatus writeFile(const std::string& path, ExportType type) const;
  PrintJob printJob() const;
  // Asks, then prints, with the PDF file offered when there is no printer.
  void print();

  // The month, its site, its delta T or today's row changed.
  Signal<>& monthChanged() { return monthChanged_; }
  // The panel's values changed (after every calculation while shown).
  Signal<>& observedChanged() { return observedChanged_; }

 private:
  void compute();
  void calculated() override;
  // Year and month of the main window's date.
  std::pair<int, int> mainMonth() const;
  // The delta T the month is computed with, and the panel's at an instant.
  double monthDeltaT(int year) const;
  double instantDeltaT(double jdUt) const;
  bool refreshToday();
  // What the site sees of a solar eclipse of the month, when it sees it.
  std::optional<solar::LocalEclipse> localEclipse(const almanac::Event& e) const;

  int year_ = 2000;
  int month_ = 1;
  astro::Site site_{0, 0};
  double deltaT_ = 0;
  AlmanacDeltaT choice_ = AlmanacDeltaT::Measured;
  // The delta T in force lies outside what the month is computed for.
  bool deltaTRefused_ = false;
  std::vector<almanac::DayRow> rows_;
  std::optional<size_t> today_;
  astro::MoonFromSite observed_{};
  int calcId_ = 0;
  Signal<> monthChanged_;
  Signal<> observedChanged_;
};

}  // namespace velmar
