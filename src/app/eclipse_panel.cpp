#include "app/eclipse_panel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/main_form.h"
#include "app/table_window_outputs.h"
#include "astro/almanac.h"
#include "config/additions.h"
#include "config/text_file.h"
#include "engine/numtext.h"
#include "output/data_table.h"

namespace velmar {

namespace {

constexpr std::array<const char*, static_cast<size_t>(EclipseText::Count)> kTexts = {
    "日食",                  // Title
    "年",                    // YearSuffix
    "から",                  // FromLabel
    "期間",                  // YearsLabel
    "年間",                  // YearsSuffix
    "備考",                  // Note
    "Velmar - 日食 -",       // ExportTitle
    "日食の一覧を印刷しますか ?",  // PrintQuestion
};
static_assert(kTexts.back() != nullptr, "a text for every entry");

// The window's usual size, twips: every column and a dozen rows.
constexpr float kUsualWidth = 14400;
constexpr float kUsualHeight = 7200;
constexpr float kFrameWidth = 180;
constexpr float kFrameHeight = 600;
constexpr const char* kPlacementKey = "eclipses";

double jdOfNewYear(int year) { return almanac::jdOfJst(year, 1, 1, 0, 0, 0); }

}  // namespace

const char* eclipseText(EclipseText t) { return kTexts[static_cast<size_t>(t)]; }

const std::vector<int>& EclipsePanel::spans() {
  static const std::vector<int> spans = {10, 20, 50, 100};
  return spans;
}

EclipsePanel::EclipsePanel(MainForm& main)
    : TablePanel(main, kPlacementKey, {kUsualWidth, kUsualHeight, kFrameWidth, kFrameHeight}) {
  calcId_ = main_.onDraw([this] { calculated(); }, ViewStage::Almanac);
  main_.attachEclipses(this);
  const almanac::JstTime j = almanac::jstOf(astro::instantOf(main_.calculator().result().time));
  firstYear_ = std::clamp(j.year, almanac::kFirstYear, almanac::kLastYear);
  years_ = std::min(years_, almanac::kLastYear - firstYear_ + 1);
  compute();
}

EclipsePanel::~EclipsePanel() {
  main_.offDraw(calcId_);
  if (main_.eclipses() == this) main_.attachEclipses(nullptr);
}

AlmanacSite EclipsePanel::siteNamed() const {
  return namedSite(main_, site_,
                   deltaTs_.empty() ? almanac::measuredDeltaT(firstYear_) : deltaTs_.front());
}

std::string EclipsePanel::heading() const {
  const AlmanacSite named = siteNamed();
  std::string out = formatInt(firstYear_) + "年" + eclipseText(EclipseText::FromLabel) + " " +
                    formatInt(years_) + eclipseText(EclipseText::YearsSuffix);
  if (!named.name.empty()) out += "　" + named.name;
  out += std::string("　") + (site_.latitude < 0 ? "南緯 " : "北緯 ") +
         formatFixed(std::fabs(site_.latitude), 1, 2, false) + "°";
  out += std::string("　") + (site_.longitude < 0 ? "西経 " : "東経 ") +
         formatFixed(std::fabs(site_.longitude), 1, 2, false) + "°";
  out += "　△T 実測";
  return out;
}

bool EclipsePanel::showYears(int firstYear, int years) {
  if (!almanac::yearSupported(firstYear) || years < 1) {
    main_.ui().message(eclipseText(EclipseText::Title), almanacRangeMessage(), Tone::Warning);
    return false;
  }
  years = std::min(years, almanac::kLastYear - firstYear + 1);
  if (firstYear == firstYear_ && years == years_) return true;
  firstYear_ = firstYear;
  years_ = years;
  compute();
  listChanged_();
  return true;
}

void EclipsePanel::followMainDate() {
  const almanac::JstTime j = almanac::jstOf(astro::instantOf(main_.calculator().result().time));
  const int year = std::clamp(j.year, almanac::kFirstYear, almanac::kLastYear);
  const astro::Site site = main_.calculator().site();
  if (site.latitude != site_.latitude || site.longitude != site_.longitude) {
    firstYear_ = year;
    years_ = std::min(years_, almanac::kLastYear - year + 1);
    compute();
    listChanged_();
    return;
  }
  showYears(year, years_);
}

void EclipsePanel::compute() {
  site_ = main_.calculator().site();
  rows_.clear();
  deltaTs_.clear();
  // A year at a time, each with its own measured delta T, as velmar-cli
  // lists them.
  for (int y = firstYear_; y < firstYear_ + years_; ++y) {
    const double dt = almanac::measuredDeltaT(y);
    for (const solar::LocalEclipse& e :
         solar::localEclipses(jdOfNewYear(y), jdOfNewYear(y + 1), site_, dt)) {
      rows_.push_back(e);
      deltaTs_.push_back(dt);
    }
  }
}

void EclipsePanel::calculated() {
  if (!shown()) return;
  const astro::Site site = main_.calculator().site();
  if (site.latitude == site_.latitude && site.longitude == site_.longitude) return;
  compute();
  listChanged_();
}

std::vector<std::string> EclipsePanel::cells(size_t row) const {
  if (row >= rows_.size()) return {};
  std::vector<std::string> out = localEclipseCells(rows_[row]);
  out.push_back(horizonNote(rows_[row]));
  return out;
}

std::string EclipsePanel::detail(size_t row) const {
  return row < rows_.size() ? localEclipseDetail(rows_[row]) : std::string();
}

bool EclipsePanel::activate(size_t row) {
  if (row >= rows_.size()) return false;
  const almanac::JstTime j = almanac::jstOf(rows_[row].maximum.jd);
  main_.showInstant({formatInt(j.year), formatInt(j.month), formatInt(j.day), formatInt(j.hour),
                     formatInt(j.minute), formatInt(j.second)});
  return true;
}

std::string EclipsePanel::copyText(const std::vector<size_t>& rows) const {
  return tableCopyText(siteNamed(), localEclipseHeader('\t'), rows_.size(), rows,
                       [this](size_t r) { return localEclipseLine(rows_[r], '\t'); });
}

FileStatus EclipsePanel::writeFile(const std::string& path, ExportType type) const {
  return writeTextFile(path,
                       localEclipseLines(rows_, siteNamed(), type == ExportType::Tsv ? '\t' : ','));
}

std::string EclipsePanel::pdfName() const {
  return "VelmarEclipses-" + formatInt(firstYear_) + "-" + formatInt(firstYear_ + years_ - 1) +
         ".pdf";
}

void EclipsePanel::exportFile() {
  exportTable(
      main_, eclipseText(EclipseText::ExportTitle), eclipseText(EclipseText::Title),
      "Eclipses-" + formatInt(firstYear_) + "-" + formatInt(firstYear_ + years_ - 1) + ".csv",
      [this](const std::string& path, ExportType type) { return writeFile(path, type); });
}

PrintJob EclipsePanel::printJob() const {
  return PrintJob{"Velmar Eclipses " + formatInt(firstYear_) + "-" +
                      formatInt(firstYear_ + years_ - 1),
                  kDataFont, localEclipseListing(rows_, siteNamed())};
}

void EclipsePanel::print() {
  printTable(
      main_, eclipseText(EclipseText::Title), eclipseText(EclipseText::PrintQuestion),
      [this] { return printJob(); }, pdfName());
}

}  // namespace velmar
