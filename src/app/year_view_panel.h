#pragma once
// The year view (暦要項) without its widgets: the year it shows, the delta
// T it takes (the 月の暦's choice), what a chosen row does, and its file
// and printer outputs. The Qt window shows this state and forwards the
// user's input to it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/almanac_panel.h"
#include "app/table_panel.h"
#include "config/moon_inf.h"
#include "engine/ports.h"
#include "engine/signal.h"
#include "output/export_file.h"
#include "output/koyomi_year.h"

namespace velmar {

class MainForm;

enum class YearViewText { Title, YearLabel, ExportTitle, PrintQuestion, Count };
const char* yearViewText(YearViewText t);

class YearViewPanel : public TablePanel {
 public:
  // Shows the year of the main window's date.
  explicit YearViewPanel(MainForm& main);
  ~YearViewPanel() override;

  int year() const { return year_; }
  double deltaT() const { return deltaT_; }
  const std::vector<YearViewRow>& rows() const { return rows_; }
  // "2025年　△T 69.2 秒"
  std::string heading() const;

  // A year of the almanac's years; anything else is refused with the range
  // message and the year stays.
  bool showYear(int year);
  void previousYear();
  void nextYear();
  // The year of the main window's date.
  void followMainDate();

  // The 月の暦's choice, kept with the program's additions: a change here
  // is the 月の暦's too, and the other way round.
  AlmanacDeltaT deltaTChoice() const { return choice_; }
  void setDeltaTChoice(AlmanacDeltaT choice);
  // Takes the kept choice and the delta T now in force (after the 月の暦
  // changed the choice); nothing while the window is hidden.
  void followDeltaT();

  // Sets the main window's date and time to the row's instant, to the
  // second in JST, and calculates. False for a row that has none.
  bool activate(size_t row);

  // The ΔT line, the header and the rows as CSV or TSV (Shift-JIS, CR LF).
  void exportFile();
  FileStatus writeFile(const std::string& path, ExportType type) const;
  PrintJob printJob() const;
  // Asks, then prints, with the PDF file offered when there is no printer.
  void print();
  // "VelmarKoyomi-2025.pdf".
  std::string pdfName() const;

  // The year, its delta T or its rows changed.
  Signal<>& yearChanged() { return yearChanged_; }

 private:
  void compute();
  // Shown, it catches up with the delta T in force.
  void calculated() override;
  int mainYear() const;
  double yearDeltaT(int year) const;

  int year_ = 2000;
  double deltaT_ = 0;
  AlmanacDeltaT choice_ = AlmanacDeltaT::Measured;
  bool deltaTRefused_ = false;
  std::vector<YearViewRow> rows_;
  int calcId_ = 0;
  Signal<> yearChanged_;
};

}  // namespace velmar
