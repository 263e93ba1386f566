#include "app/almanac_panel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/main_form.h"
#include "app/table_window_outputs.h"
#include "app/year_view_panel.h"
#include "astro/ephemeris.h"
#include "config/text_file.h"
#include "engine/constants.h"
#include "engine/numtext.h"
#include "output/data_table.h"

namespace velmar {

namespace {

constexpr std::array<const char*, static_cast<size_t>(AlmanacText::Count)> kTexts = {
    "月の暦",                  // Title
    "年月",                    // MonthLabel
    "yyyy年M月",               // MonthFormat
    "観測地から見た月",        // PanelTitle
    "方位",                    // PanelAzimuth
    "高度",                    // PanelAltitude
    "視半径",                  // PanelSemidiameter
    "距離",                    // PanelDistance
    "Velmar - 月の暦 -",       // ExportTitle
    "月の暦を印刷しますか ?",  // PrintQuestion
};
static_assert(kTexts.back() != nullptr, "a text for every entry");

// The window's usual size, twips: every column and a month's rows at the
// size of the main window's text.
constexpr float kUsualWidth = 14400;
constexpr float kUsualHeight = 12900;
// What the window system adds around the inside (title bar, borders), twips.
constexpr float kFrameWidth = 180;
constexpr float kFrameHeight = 600;
constexpr const char* kPlacementKey = "almanac";
constexpr const char* kDeltaTKey = "almanac.deltaT";
constexpr const char* kMeasuredValue = "measured";
constexpr const char* kMainValue = "main";

std::string degreesText(double x) { return formatFixed(x, 1, 2, false) + "°"; }

// 15′ 32.1″
std::string arcText(double degrees) {
  const long long tenths = std::llround(degrees * 36000);
  return formatInt(tenths / 600) + "′ " +
         formatFixed(static_cast<double>(tenths % 600) / 10, 2, 1, false) + "″";
}

double secondOf(double jd) {
  const almanac::JstTime j = almanac::jstOf(jd);
  return almanac::jdOfJst(j.year, j.month, j.day, j.hour, j.minute, j.second);
}

std::string eventDetail(const almanac::Event& e) {
  std::string out = std::string(eventName(e.kind)) + " " + clockText(e.jd, true);
  if (e.kind == almanac::EventKind::Perigee || e.kind == almanac::EventKind::Apogee)
    out += "　" + formatInt(std::llround(e.value)) + " km";
  if (e.eclipse) {
    out += "　本影食分 " + formatFixed(e.value, 1, 3, false);
    auto phase = [&](const char* name, const std::optional<double>& from,
                     const std::optional<double>& to) {
      if (from && to)
        out +=
            "\n　" + std::string(name) + " " + clockText(from, true) + "～" + clockText(to, true);
    };
    phase("半影食", e.eclipse->penumbralBegin, e.eclipse->penumbralEnd);
    phase("部分食", e.eclipse->partialBegin, e.eclipse->partialEnd);
    phase("皆既食", e.eclipse->totalBegin, e.eclipse->totalEnd);
  }
  return out;
}

}  // namespace

const char* almanacText(AlmanacText t) { return kTexts[static_cast<size_t>(t)]; }

AlmanacDeltaT keptDeltaTChoice(AdditionStore& additions) {
  return additions.get(kDeltaTKey) == std::optional<std::string>(kMainValue)
             ? AlmanacDeltaT::MainWindow
             : AlmanacDeltaT::Measured;
}

FileStatus keepDeltaTChoice(AdditionStore& additions, AlmanacDeltaT choice) {
  additions.set(kDeltaTKey, choice == AlmanacDeltaT::Measured ? kMeasuredValue : kMainValue);
  return additions.save();
}

AlmanacPanel::AlmanacPanel(MainForm& main)
    : TablePanel(main, kPlacementKey, {kUsualWidth, kUsualHeight, kFrameWidth, kFrameHeight}) {
  calcId_ = main_.onDraw([this] { calculated(); }, ViewStage::Almanac);
  main_.attachAlmanac(this);
  choice_ = keptDeltaTChoice(main_.additions());
  // The month of the main window's date, or the nearest the almanac has.
  const std::pair<int, int> at = mainMonth();
  year_ = std::clamp(at.first, almanac::kFirstYear, almanac::kLastYear);
  month_ = at.second;
  compute();
  const double instant = astro::instantOf(main_.calculator().result().time);
  observed_ = astro::moonFromSite(instant, instantDeltaT(instant), site_);
}

AlmanacPanel::~AlmanacPanel() {
  main_.offDraw(calcId_);
  if (main_.almanac() == this) main_.attachAlmanac(nullptr);
}

std::string AlmanacPanel::heading() const {
  const std::string name = chosenSiteName(main_);
  std::string out = formatInt(year_) + "年" + formatInt(month_) + "月";
  if (!name.empty()) out += "　" + name;
  out += std::string("　") + (site_.latitude < 0 ? "南緯 " : "北緯 ") +
         formatFixed(std::fabs(site_.latitude), 1, 2, false) + "°";
  out += std::string("　") + (site_.longitude < 0 ? "西経 " : "東経 ") +
         formatFixed(std::fabs(site_.longitude), 1, 2, false) + "°";
  out += "　△T " + formatPlain(deltaT_) + " 秒";
  return out;
}

bool AlmanacPanel::showMonth(int year, int month) {
  if (!almanac::yearSupported(year) || month < 1 || month > 12) {
    main_.ui().message(almanacText(AlmanacText::Title), almanacRangeMessage(), Tone::Warning);
    return false;
  }
  if (year == year_ && month == month_ && !rows_.empty()) return true;
  year_ = year;
  month_ = month;
  compute();
  monthChanged_();
  return true;
}

void AlmanacPanel::previousMonth() {
  if (month_ == 1) {
    showMonth(year_ - 1, 12);
  } else {
    showMonth(year_, month_ - 1);
  }
}

void AlmanacPanel::nextMonth() {
  if (month_ == 12) {
    showMonth(year_ + 1, 1);
  } else {
    showMonth(year_, month_ + 1);
  }
}

std::pair<int, int> AlmanacPanel::mainMonth() const {
  const FormModel& form = main_.form();
  const double y = form.value(Field::Year);
  const double m = form.value(Field::Month);
  // Fields that hold no plain date (a month of 12.6 left by a borrow) give
  // way to the date of the last calculation.
  if (y == std::nearbyint(y) && std::fabs(y) < 1e6 && m == std::nearbyint(m) && m >= 1 && m <= 12)
    return {static_cast<int>(y), static_cast<int>(m)};
  const almanac::JstTime j = almanac::jstOf(astro::instantOf(main_.calculator().result().time));
  return {j.year, j.month};
}

void AlmanacPanel::followMainDate() {
  const std::pair<int, int> at = mainMonth();
  showMonth(at.first, at.second);
}

void AlmanacPanel::compute() {
  site_ = main_.calculator().site();
  deltaT_ = monthDeltaT(year_);
  // The main window's field takes any delta T; the month's searches would
  // take hours for some. Beyond a day either way the table stays empty and
  // says why once.
  const bool refused = !kObserverDeltaTRange.holds(deltaT_);
  if (refused && !deltaTRefused_) main_.ui().message(kTitleText, observerDeltaTMessage(), Tone::Warning);
  deltaTRefused_ = refused;
  rows_ = refused ? std::vector<almanac::DayRow>{} : almanac::month(year_, month_, site_, deltaT_);
  refreshToday();
}

AlmanacSite AlmanacPanel::siteNamed() const { return namedSite(main_, site_, deltaT_); }

void AlmanacPanel::setDeltaTChoice(AlmanacDeltaT choice) {
  if (choice == choice_) return;
  choice_ = choice;
  const FileStatus status = keepDeltaTChoice(main_.additions(), choice);
  if (!status.ok())
    main_.ui().message(almanacText(AlmanacText::Title), status.message, Tone::Warning);
  compute();
  monthChanged_();
  calculated();
  if (YearViewPanel* year = main_.yearView()) year->followDeltaT();
}

std::string AlmanacPanel::pdfName() const {
  return "VelmarAlmanac-" + formatInt(year_) + "-" + twoDigits(month_) + ".pdf";
}

double AlmanacPanel::instantDeltaT(double jdUt) const {
  if (choice_ == AlmanacDeltaT::MainWindow) return main_.calculator().result().time.deltaT;
  return ephemeris::deltaT(jdUt);
}

double AlmanacPanel::monthDeltaT(int year) const {
  if (choice_ == AlmanacDeltaT::Measured) return almanac::measuredDeltaT(year, month_);
  if (main_.form().check(Check::AutoDeltaT) == 1)
    if (const std::optional<double> dt = automaticDeltaT(year)) return *dt;
  return main_.calculator().result().time.deltaT;
}

bool AlmanacPanel::refreshToday() {
  const CivilTime now = toJst(main_.clock().now());
  std::optional<size_t> today;
  if (now.year == year_ && now.month == month_ && now.day >= 1 &&
      static_cast<size_t>(now.day) <= rows_.size())
    today = static_cast<size_t>(now.day - 1);
  if (today == today_) return false;
  today_ = today;
  return true;
}

void AlmanacPanel::calculated() {
  if (!shown()) return;
  const astro::TimeTerms& at = main_.calculator().result().time;
  const astro::Site site = main_.calculator().site();
  bool changed = refreshToday();
  // Bit for bit: the same site and delta T give the same rows.
  if (site.latitude != site_.latitude || site.longitude != site_.longitude ||
      monthDeltaT(year_) != deltaT_) {
    compute();
    changed = true;
  }
  if (changed) monthChanged_();
  const double instant = astro::instantOf(at);
  observed_ = astro::moonFromSite(instant, instantDeltaT(instant), site);
  observedChanged_();
}

std::optional<solar::LocalEclipse> AlmanacPanel::localEclipse(const almanac::Event& e) const {
  const std::vector<solar::LocalEclipse> here =
      solar::localEclipses(e.jd - 0.5, e.jd + 0.5, site_, deltaT_);
  if (here.empty()) return std::nullopt;
  return here.front();
}

std::vector<std::string> AlmanacPanel::cells(size_t row) const {
  if (row >= rows_.size()) return {};
  return almanacCells(rows_[row], false);
}

std::string AlmanacPanel::detail(size_t row, AlmanacColumn column) const {
  if (row >= rows_.size()) return {};
  const almanac::DayRow& r = rows_[row];
  switch (column) {
    case AlmanacColumn::Moonrise:
    case AlmanacColumn::MoonriseAzimuth:
      return r.moonrise ? clockText(r.moonrise, true) : std::string();
    case AlmanacColumn::Transit:
    case AlmanacColumn::TransitAltitude:
      return r.transit ? clockText(r.transit, true) : std::string();
    case AlmanacColumn::Moonset:
    case AlmanacColumn::MoonsetAzimuth:
      return r.moonset ? clockText(r.moonset, true) : std::string();
    case AlmanacColumn::Sunrise:
      return r.sunrise ? clockText(r.sunrise, true) : std::string();
    case AlmanacColumn::Sunset:
      return r.sunset ? clockText(r.sunset, true) : std::string();
    case AlmanacColumn::Events: {
      std::string out;
      for (const almanac::Event& e : r.events) {
        if (!out.empty()) out += "\n";
        out += eventDetail(e);
        if (almanac::isSolarEclipse(e.kind)) {
          const std::optional<solar::LocalEclipse> here = localEclipse(e);
          out += here ? "\n" + localEclipseDetail(*here) : std::string("\n　この観測地では見えません");
        }
      }
      return out;
    }
    case AlmanacColumn::Date:
    case AlmanacColumn::NoonAge:
    case AlmanacColumn::Lunar:
      break;
  }
  return {};
}

std::optional<double> AlmanacPanel::instantAt(size_t row, AlmanacColumn column) const {
  if (row >= rows_.size()) return std::nullopt;
  const almanac::DayRow& r = rows_[row];
  switch (column) {
    case AlmanacColumn::Date:
    case AlmanacColumn::Lunar:
      return almanac::jdOfJst(r.date.year, r.date.month, r.date.day, 0, 0, 0);
    case AlmanacColumn::NoonAge:
      return almanac::jdOfJst(r.date.year, r.date.month, r.date.day, 12, 0, 0);
    case AlmanacColumn::Moonrise:
    case AlmanacColumn::MoonriseAzimuth:
      return r.moonrise;
    case AlmanacColumn::Transit:
    case AlmanacColumn::TransitAltitude:
      return r.transit;
    case AlmanacColumn::Moonset:
    case AlmanacColumn::MoonsetAzimuth:
      return r.moonset;
    case AlmanacColumn::Sunrise:
      return r.sunrise;
    case AlmanacColumn::Sunset:
      return r.sunset;
    case AlmanacColumn::Events: {
      // The day's timed items in time order: the events (a solar eclipse
      // seen here by its maximum here) and the terms and 雑節.
      std::vector<double> instants;
      for (const almanac::Event& e : r.events) {
        std::optional<solar::LocalEclipse> here;
        if (almanac::isSolarEclipse(e.kind)) here = localEclipse(e);
        instants.push_back(here ? here->maximum.jd : e.jd);
      }
      for (const koyomi::Timed& t : r.terms) instants.push_back(t.jd);
      if (instants.empty()) return std::nullopt;
      std::sort(instants.begin(), instants.end());
      // The main window at one of them (to the second): the next one, so
      // that clicking again walks through them.
      const double shown = astro::instantOf(main_.calculator().result().time);
      size_t next = 0;
      for (size_t k = 0; k < instants.size(); ++k)
        if (std::fabs(secondOf(instants[k]) - shown) * 86400 < 0.5) next = (k + 1) % instants.size();
      return instants[next];
    }
  }
  return std::nullopt;
}

bool AlmanacPanel::activate(size_t row, AlmanacColumn column) {
  const std::optional<double> at = instantAt(row, column);
  if (!at) return false;
  const almanac::JstTime j = almanac::jstOf(*at);
  main_.showInstant({formatInt(j.year), formatInt(j.month), formatInt(j.day), formatInt(j.hour),
                     formatInt(j.minute), formatInt(j.second)});
  return true;
}

std::vector<std::pair<std::string, std::string>> AlmanacPanel::observedLines() const {
  return {
      {almanacText(AlmanacText::PanelAzimuth), degreesText(observed_.azimuth)},
      {almanacText(AlmanacText::PanelAltitude), degreesText(observed_.altitude)},
      {almanacText(AlmanacText::PanelSemidiameter), arcText(observed_.semidiameter)},
      {almanacText(AlmanacText::PanelDistance),
       formatInt(std::llround(observed_.distance)) + " km"},
  };
}

std::string AlmanacPanel::copyText(const std::vector<size_t>& rows) const {
  return tableCopyText(siteNamed(), almanacHeader('\t'), rows_.size(), rows,
                       [this](size_t r) { return almanacLine(rows_[r], '\t', true); });
}

FileStatus AlmanacPanel::writeFile(const std::string& path, ExportType type) const {
  return writeTextFile(path, almanacLines(rows_, siteNamed(), type == ExportType::Tsv ? '\t' : ','));
}

void AlmanacPanel::exportFile() {
  exportTable(main_, almanacText(AlmanacText::ExportTitle), almanacText(AlmanacText::Title),
              "Almanac-" + formatInt(year_) + "-" + twoDigits(month_) + ".csv",
              [this](const std::string& path, ExportType type) { return writeFile(path, type); });
}

PrintJob AlmanacPanel::printJob() const {
  return PrintJob{"Velmar Almanac " + formatInt(year_) + "-" + twoDigits(month_), kDataFont,
                  almanacListing(rows_, siteNamed())};
}

void AlmanacPanel::print() {
  printTable(
      main_, almanacText(AlmanacText::Title), almanacText(AlmanacText::PrintQuestion),
      [this] { return printJob(); }, pdfName());
}

}  // namespace velmar
