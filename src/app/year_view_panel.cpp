#include "app/year_view_panel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/main_form.h"
#include "app/table_window_outputs.h"
#include "config/additions.h"
#include "config/text_file.h"
#include "engine/constants.h"
#include "engine/numtext.h"
#include "output/data_table.h"

namespace velmar {

namespace {

constexpr std::array<const char*, static_cast<size_t>(YearViewText::Count)> kTexts = {
    "暦要項",                  // Title
    "年(&Y)",                  // YearLabel
    "Velmar - 暦要項 -",       // ExportTitle
    "暦要項を印刷しますか ?",  // PrintQuestion
};
static_assert(kTexts.back() != nullptr, "a text for every entry");

// The usual size, twips: the four columns and some forty rows; it fits a
// 1024 x 600 screen as it is.
constexpr float kUsualWidth = 9000;
constexpr float kUsualHeight = 7800;
// What the window system adds around the inside (title bar, borders), twips.
constexpr float kFrameWidth = 180;
constexpr float kFrameHeight = 600;
constexpr const char* kPlacementKey = "yearView";

}  // namespace

const char* yearViewText(YearViewText t) { return kTexts[static_cast<size_t>(t)]; }

YearViewPanel::YearViewPanel(MainForm& main)
    : TablePanel(main, kPlacementKey, {kUsualWidth, kUsualHeight, kFrameWidth, kFrameHeight}) {
  calcId_ = main_.onDraw([this] { calculated(); }, ViewStage::Almanac);
  main_.attachYearView(this);
  choice_ = keptDeltaTChoice(main_.additions());
  year_ = std::clamp(mainYear(), almanac::kFirstYear, almanac::kLastYear);
  compute();
}

YearViewPanel::~YearViewPanel() {
  main_.offDraw(calcId_);
  if (main_.yearView() == this) main_.attachYearView(nullptr);
}

std::string YearViewPanel::heading() const {
  return formatInt(year_) + "年　△T " + formatPlain(deltaT_) + " 秒";
}

bool YearViewPanel::showYear(int year) {
  if (!almanac::yearSupported(year)) {
    main_.ui().message(yearViewText(YearViewText::Title), almanacRangeMessage(), Tone::Warning);
    return false;
  }
  if (year == year_ && !rows_.empty()) return true;
  year_ = year;
  compute();
  yearChanged_();
  return true;
}

void YearViewPanel::previousYear() { showYear(year_ - 1); }
void YearViewPanel::nextYear() { showYear(year_ + 1); }
void YearViewPanel::followMainDate() { showYear(mainYear()); }

int YearViewPanel::mainYear() const {
  const double y = main_.form().value(Field::Year);
  if (y == std::nearbyint(y) && std::fabs(y) < 1e6) return static_cast<int>(y);
  // A field that holds no plain year gives way to the last calculation.
  return almanac::jstOf(astro::instantOf(main_.calculator().result().time)).year;
}

double YearViewPanel::yearDeltaT(int year) const {
  // As --koyomi takes it: the measured value of the middle of the year.
  if (choice_ == AlmanacDeltaT::Measured) return almanac::measuredDeltaT(year);
  if (main_.form().check(Check::AutoDeltaT) == 1)
    if (const std::optional<double> dt = automaticDeltaT(year)) return *dt;
  return main_.calculator().result().time.deltaT;
}

void YearViewPanel::compute() {
  deltaT_ = yearDeltaT(year_);
  // As in the 月の暦: a delta T beyond a day either way would take hours;
  // the list stays empty and says why once.
  const bool refused = !kObserverDeltaTRange.holds(deltaT_);
  if (refused && !deltaTRefused_)
    main_.ui().message(kTitleText, observerDeltaTMessage(), Tone::Warning);
  deltaTRefused_ = refused;
  rows_ = refused ? std::vector<YearViewRow>{} : yearViewRows(year_, deltaT_);
}

void YearViewPanel::setDeltaTChoice(AlmanacDeltaT choice) {
  if (choice == choice_) return;
  choice_ = choice;
  compute();
  yearChanged_();
  // The 月の暦's panel, when its window is there, keeps the choice itself
  // (and tells this panel, which has it already).
  if (AlmanacPanel* almanac = main_.almanac()) {
    almanac->setDeltaTChoice(choice);
    return;
  }
  const FileStatus status = keepDeltaTChoice(main_.additions(), choice);
  if (!status.ok())
    main_.ui().message(yearViewText(YearViewText::Title), status.message, Tone::Warning);
}

void YearViewPanel::followDeltaT() { calculated(); }

void YearViewPanel::calculated() {
  if (!shown()) return;
  const AlmanacDeltaT kept = keptDeltaTChoice(main_.additions());
  // Bit for bit: the same delta T gives the same rows.
  if (kept == choice_ && yearDeltaT(year_) == deltaT_) return;
  choice_ = kept;
  compute();
  yearChanged_();
}

bool YearViewPanel::activate(size_t row) {
  if (row >= rows_.size() || !rows_[row].instant) return false;
  const almanac::JstTime j = almanac::jstOf(*rows_[row].instant);
  main_.showInstant({formatInt(j.year), formatInt(j.month), formatInt(j.day), formatInt(j.hour),
                     formatInt(j.minute), formatInt(j.second)});
  return true;
}

FileStatus YearViewPanel::writeFile(const std::string& path, ExportType type) const {
  return writeTextFile(path, yearViewLines(rows_, deltaT_, type == ExportType::Tsv ? '\t' : ','));
}

void YearViewPanel::exportFile() {
  exportTable(main_, yearViewText(YearViewText::ExportTitle), yearViewText(YearViewText::Title),
              "Koyomi-" + formatInt(year_) + ".csv",
              [this](const std::string& path, ExportType type) { return writeFile(path, type); });
}

std::string YearViewPanel::pdfName() const { return "VelmarKoyomi-" + formatInt(year_) + ".pdf"; }

PrintJob YearViewPanel::printJob() const {
  return PrintJob{
      "Velmar Koyomi " + formatInt(year_), kDataFont,
      yearViewListing(rows_, std::string(yearViewText(YearViewText::Title)) + "　" + heading())};
}

void YearViewPanel::print() {
  printTable(
      main_, yearViewText(YearViewText::Title), yearViewText(YearViewText::PrintQuestion),
      [this] { return printJob(); }, pdfName());
}

}  // namespace velmar
