#pragma once
// The 日食 window without its widgets: the solar eclipses seen from the
// main window's site over a span of years, what a click on one does (the
// main window goes to its maximum, where the Sun-centred view shows the
// Moon on the Sun as the site sees it), and the list's file, clipboard and
// printer outputs. The Qt window shows this state and forwards the user's
// input to it.
#include <functional>
#include <string>
#include <vector>

#include "app/table_panel.h"
#include "astro/astro.h"
#include "astro/solar_eclipses.h"
#include "config/moon_inf.h"
#include "engine/ports.h"
#include "engine/signal.h"
#include "output/eclipse_text.h"
#include "output/export_file.h"

namespace velmar {

class MainForm;

enum class EclipseText {
  Title,
  YearSuffix,
  FromLabel,
  YearsLabel,
  YearsSuffix,
  Note,  // the column after the list's own: 日出帯食 / 日入帯食
  ExportTitle,
  PrintQuestion,
  Count
};
const char* eclipseText(EclipseText t);

class EclipsePanel : public TablePanel {
 public:
  // The eclipses from the year of the main window's date on, at its site.
  explicit EclipsePanel(MainForm& main);
  ~EclipsePanel() override;

  // The spans offered, in years.
  static const std::vector<int>& spans();

  int firstYear() const { return firstYear_; }
  int years() const { return years_; }
  astro::Site site() const { return site_; }
  const std::vector<solar::LocalEclipse>& rows() const { return rows_; }
  // "2026年から 20年　東京　北緯 35.65°　東経 139.74°　△T 実測"
  std::string heading() const;

  // Years within the almanac's; anything else is refused with the range
  // message and the list stays. The span is cut at the last year.
  bool showYears(int firstYear, int years);
  // The year of the main window's date, and its site.
  void followMainDate();

  // The cells of a row: the list's columns, the note and the delta T.
  std::vector<std::string> cells(size_t row) const;
  // Every contact with the Sun's place, and the eclipse as a whole.
  std::string detail(size_t row) const;
  // The main window goes to the eclipse's maximum, to the second in JST.
  bool activate(size_t row);

  // The header line and the rows (all when `rows` is empty), tab-separated,
  // one "\n" after each line.
  std::string copyText(const std::vector<size_t>& rows) const;
  void exportFile();
  FileStatus writeFile(const std::string& path, ExportType type) const;
  PrintJob printJob() const;
  void print();
  std::string pdfName() const;

  // The list, its years or its site changed.
  Signal<>& listChanged() { return listChanged_; }

 private:
  void compute();
  // Follows the main window's site; shown again, it catches up.
  void calculated() override;
  AlmanacSite siteNamed() const;

  int firstYear_ = 2000;
  int years_ = 20;
  astro::Site site_{0, 0};
  std::vector<solar::LocalEclipse> rows_;
  // The delta T of each row: the measured value of its year.
  std::vector<double> deltaTs_;
  int calcId_ = 0;
  Signal<> listChanged_;
};

}  // namespace velmar
