// velmar-cli: the main form without a window. Fills the fields as a user
// would, runs the calculation and prints every field as displayed.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "cli/cli_args.h"
#include "cli/cli_outputs.h"
#include "cli/cli_pictures.h"
#include "config/moon_inf.h"
#include "config/sites.h"
#include "astro/almanac.h"
#include "astro/ephemeris.h"
#include "astro/solar_eclipses.h"
#include "engine/calculator.h"
#include "engine/constants.h"
#include "engine/numtext.h"
#include "output/almanac_text.h"
#include "output/eclipse_text.h"

namespace {

using velmar::Field;

// The fields printed, in order; each under its label.
constexpr Field kPrinted[] = {
    Field::Year,           Field::Month,         Field::Day,         Field::Hour,
    Field::Minute,         Field::Second,        Field::DeltaT,      Field::JulianDay,
    Field::SunLongitude,   Field::MoonLongitude, Field::Phase,       Field::Illumination,
    Field::ReferenceDate,  Field::MoonAge,       Field::SunDistance, Field::MoonDistance,
    Field::RightAscension, Field::MoonLatitude,  Field::Declination, Field::Azimuth,
    Field::Altitude,
};

// Messages the core would show in a box go to stderr; questions get "Yes".
class CliUi : public velmar::PlainUi {
 public:
  void message(const std::string& title, const std::string& text, velmar::Tone tone) override {
    PlainUi::message(title, text, tone);
    std::cerr << "velmar-cli: " << velmar::cli::messageLine(text) << "\n";
  }
};

std::string fieldsBlock(const velmar::FormModel& form) {
  std::string out;
  for (Field f : kPrinted) {
    out += velmar::fieldInfo(f).label;
    out += '\t';
    out += form.text(f);
    out += '\n';
  }
  return out;
}

// The Moon seen from the site at the instant of the last calculation, with
// the delta T given (--dt), the main calculation's under --auto-dt, else
// the measured one.
std::string topocentricBlock(const velmar::astro::Calculation& c, const velmar::cli::Args& a) {
  const double instant = velmar::astro::instantOf(c.time);
  const double dt = a.deltaT || a.autoDeltaT ? c.time.deltaT : velmar::ephemeris::deltaT(instant);
  const velmar::astro::MoonFromSite m = velmar::astro::moonFromSite(instant, dt, c.site);
  return "月の方位(観測地)\t" + velmar::formatResult(m.azimuth) + "\n月の高度(観測地)\t" +
         velmar::formatResult(m.altitude) + "\n";
}

// Line N of the site file, or the shipped list; false (the message on
// stderr) when there is no such line.
bool chooseSite(const velmar::cli::Args& a, velmar::SiteRecord& out) {
  const std::string path = a.sitesFile.value_or(velmar::kSiteFileName);
  const velmar::SiteFile sites = velmar::readSites(path);
  // A file the user named is what they want used: without it the results
  // would belong to another site.
  if (a.sitesFile && sites.error != velmar::FileError::None) {
    std::cerr << "velmar-cli: " << velmar::cli::messageLine(sites.reason) << "\n";
    return false;
  }
  // So is a named file without a site (empty, or no line a site).
  if (a.sitesFile && sites.shipped) {
    std::cerr << "velmar-cli: "
              << velmar::cli::messageLine("「" + path + "」に測地として読める行がありません。")
              << "\n";
    return false;
  }
  if (!sites.message.empty() && sites.error != velmar::FileError::Missing)
    std::cerr << "velmar-cli: " << velmar::cli::messageLine(sites.message) << "\n";
  const long long index = a.site.value_or(0);
  if (index >= static_cast<long long>(sites.sites.size())) {
    std::cerr << "velmar-cli: 引数が正しくありません: --site " << index << " (観測地は "
              << sites.sites.size() << " 件です)\n";
    return false;
  }
  out = sites.sites[static_cast<size_t>(index)];
  // Coordinates typed over the file's stand for it; what is used must be
  // in the range --lat and --lon take.
  if (a.latitude) out.latitude = *a.latitude;
  if (a.longitude) out.longitude = *a.longitude;
  const size_t i = static_cast<size_t>(index);
  const std::string fault =
      velmar::siteRangeMessage(out, path, i < sites.lines.size() ? sites.lines[i] : 0);
  if (!fault.empty()) {
    std::cerr << "velmar-cli: " << velmar::cli::messageLine(fault) << "\n";
    return false;
  }
  return true;
}

// Delta T for the almanac: under --auto-dt the main calculation's rule,
// else the value given, else the measured value for the middle of the
// month (or the year).
double almanacDeltaT(const velmar::cli::Args& a, long long year, int month) {
  if (a.autoDeltaT)
    if (const auto dt = velmar::automaticDeltaT(static_cast<double>(year))) return *dt;
  if (a.deltaT) return *a.deltaT;
  // Before the rule's years the field keeps its starting value.
  if (a.autoDeltaT) return velmar::startingDeltaT(static_cast<double>(year));
  const int y = static_cast<int>(year);
  return month > 0 ? velmar::almanac::measuredDeltaT(y, month) : velmar::almanac::measuredDeltaT(y);
}

// Standard output is buffered: a full disk shows only when the buffer goes
// out, so the end is flushed before it is judged.
bool outputWritten() {
  std::cout.flush();
  return std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

// Whoever reads the output must not take a cut-off listing for a whole one.
int outputFailed() {
  std::cerr
      << "velmar-cli: 標準出力に書き込めませんでした。結果は出力されていないか、一部だけです。\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file size limit a write then fails with EFBIG, which every
  // writer reports and cleans up after, instead of the signal ending the
  // program in the middle of a file.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  const velmar::cli::ParseResult parsed = velmar::cli::parseArgs(args);
  if (!parsed.error.empty()) {
    // The parser has made the error printable.
    std::cerr << "velmar-cli: 引数が正しくありません: " << parsed.error << "\n";
    return 2;
  }
  // Like a date field's value too large to carry: refused, nothing shown.
  if (!parsed.refusal.empty()) {
    std::cerr << parsed.refusal << "\n";
    return 1;
  }
  const velmar::cli::Args& a = parsed.args;
  if (a.help || a.version) {
    if (a.help) std::cout << velmar::cli::usage();
    if (a.version) std::cout << "velmar-cli " << VELMAR_VERSION << "\n";
    return outputWritten() ? 0 : outputFailed();
  }

  // The observer's features take time in proportion to delta T: beyond
  // their bound a run would take hours.
  if ((a.almanac || a.events || a.koyomi || a.solarEclipses || a.topocentric) && a.deltaT &&
      !velmar::kObserverDeltaTRange.holds(*a.deltaT)) {
    std::cerr << "velmar-cli: " << velmar::observerDeltaTMessage() << " (--dt "
              << velmar::formatPlain(*a.deltaT) << ")\n";
    return 2;
  }
  if (a.almanac || a.events || a.koyomi || a.solarEclipses) {
    std::vector<long long> years;
    if (a.almanac) years.push_back(a.almanac->year);
    if (a.events) years.push_back(*a.events);
    if (a.koyomi) years.push_back(*a.koyomi);
    if (a.solarEclipses) {
      years.push_back(a.solarEclipses->first);
      years.push_back(a.solarEclipses->last);
    }
    for (const long long year : years) {
      if (!velmar::almanac::yearSupported(static_cast<int>(year))) {
        std::cerr << "velmar-cli: " << velmar::almanacRangeMessage() << " (" << year << " 年)\n";
        return 2;
      }
    }
    if (a.koyomi) {
      const int year = static_cast<int>(*a.koyomi);
      for (const std::string& line :
           velmar::koyomiLines(velmar::koyomi::year(year, almanacDeltaT(a, year, 0))))
        std::cout << line << "\n";
      if (!a.almanac && !a.events && !a.solarEclipses) return outputWritten() ? 0 : outputFailed();
    }
    velmar::SiteRecord site;
    if (!chooseSite(a, site)) return 2;
    const velmar::astro::Site at{site.latitude, site.longitude};
    if (a.almanac) {
      const int year = static_cast<int>(a.almanac->year);
      const double dt = almanacDeltaT(a, year, a.almanac->month);
      const auto rows = velmar::almanac::month(year, a.almanac->month, at, dt);
      const bool typed = a.latitude || a.longitude;
      const velmar::AlmanacSite named{typed ? std::string() : site.name, at, dt};
      for (const std::string& line : velmar::almanacLines(rows, named, '\t'))
        std::cout << line << "\n";
    }
    if (a.events) {
      const int year = static_cast<int>(*a.events);
      const double from = velmar::almanac::jdOfJst(year, 1, 1, 0, 0, 0);
      const double to = velmar::almanac::jdOfJst(year + 1, 1, 1, 0, 0, 0);
      for (const velmar::almanac::Event& e :
           velmar::almanac::events(from, to, almanacDeltaT(a, year, 0)))
        std::cout << velmar::eventLine(e) << "\n";
    }
    if (a.solarEclipses) {
      // Year by year, each with its own delta T: over a century the
      // measured value moves by a minute, some 30 km of the shadow's path.
      std::cout << velmar::localEclipseHeader('\t') << "\n";
      for (long long y = a.solarEclipses->first; y <= a.solarEclipses->last; ++y) {
        const int year = static_cast<int>(y);
        const double from = velmar::almanac::jdOfJst(year, 1, 1, 0, 0, 0);
        const double to = velmar::almanac::jdOfJst(year + 1, 1, 1, 0, 0, 0);
        for (const velmar::solar::LocalEclipse& e :
             velmar::solar::localEclipses(from, to, at, almanacDeltaT(a, year, 0)))
          std::cout << velmar::localEclipseLine(e, '\t') << "\n";
      }
    }
    return outputWritten() ? 0 : outputFailed();
  }

  CliUi ui;
  velmar::SystemClock clock;
  velmar::MainForm main(ui, clock);
  velmar::FormModel& form = main.form();
  // The settings of a first start, without a settings file: loop count 10,
  // change amount 1, every graph series on.
  velmar::applyInf(velmar::defaultInfValues(), form, main.placements());

  const velmar::CivilTime now = velmar::toJst(clock.now());
  const std::vector<std::string> date =
      a.date ? *a.date
             : std::vector<std::string>{velmar::formatInt(now.year), velmar::formatInt(now.month),
                                        velmar::formatInt(now.day)};
  const std::vector<std::string> time =
      a.time ? *a.time
             : std::vector<std::string>{velmar::formatInt(now.hour), velmar::formatInt(now.minute),
                                        velmar::formatInt(now.second)};
  // Written one at a time, as typed: the fields' rules carry a day of 32 or
  // an hour of 24 into the next unit.
  velmar::writeInstant(form, {date[0], date[1], date[2], time[0], time[1], time[2]});
  // A value too large to carry was refused (the message is on stderr); the
  // instant asked for cannot be shown.
  if (ui.messages > 0) return 1;
  form.setText(
      Field::DeltaT,
      velmar::formatPlain(a.deltaT ? *a.deltaT : velmar::startingDeltaT(form.value(Field::Year))));
  if (a.autoDeltaT) form.setCheck(velmar::Check::AutoDeltaT, 1);
  if (a.reference) form.setText(Field::ReferenceDate, *a.reference);
  if (a.easy && !form.tick(velmar::Tick::easycalc)) main.run(velmar::Cmd::EasyMode);

  // The site: line N of the site file (the shipped list when the file has
  // none), the typed coordinates over it.
  velmar::SiteRecord site;
  if (!chooseSite(a, site)) return 2;
  main.calculator().setSite(site.latitude, site.longitude);

  if (a.autoRebase) form.setCheck(velmar::Check::AutoRebase, 1);
  if (a.stepUnit) {
    static const std::pair<const char*, velmar::Option> units[] = {
        {"year", velmar::Option::Years},     {"month", velmar::Option::Months},
        {"day", velmar::Option::Days},       {"hour", velmar::Option::Hours},
        {"minute", velmar::Option::Minutes}, {"second", velmar::Option::Seconds}};
    for (const auto& [name, option] : units)
      if (*a.stepUnit == name) form.selectOption(option);
    form.setText(Field::ChangeAmount, velmar::formatPlain(a.stepAmount));
    form.selectOption(a.past ? velmar::Option::Past : velmar::Option::Future);
  }
  // Through the field's rule: below 2 it reads 2; above 365 the question
  // is answered yes.
  if (a.count) form.setText(Field::LoopCount, velmar::formatInt(*a.count));

  // The pictures asked for are open before the first calculation.
  velmar::cli::Pictures pictures(main);
  pictures.graphAxes = a.graphAxes;
  // Only the scales read the plotted points back.
  main.outputs().graph().keepPoints = a.graphAxes;
  for (const velmar::cli::Args::Svg& s : a.svg) {
    std::optional<std::pair<double, double>> size;
    for (const velmar::cli::Args::ViewSize& v : a.viewSizes)
      if (v.view == s.view) size = std::make_pair(v.width, v.height);
    if (!pictures.open(s.view, size, s.file)) {
      std::cerr << "velmar-cli: この図はまだ書き出せません: " << s.view << "\n";
      return 2;
    }
  }

  // The views' switches, as states: no click action runs, nothing is drawn.
  main.views().setTrail(a.trail);
  main.views().setOrbits(!a.noOrbits);
  for (const std::string& v : a.big)
    form.setTick(v == "sky"      ? velmar::Tick::bigsky
                 : v == "shadow" ? velmar::Tick::bigview
                                 : velmar::Tick::bigsun,
                 true);

  main.calculator().calc();
  // A search that fails says so in a message and puts the fields back: the
  // run then ends with status 1, after the fields were printed.
  const int messagesBeforeSearch = ui.messages;
  if (a.search) {
    using velmar::Cmd;
    static const std::pair<const char*, Cmd> commands[] = {{"age", Cmd::MoonAge},
                                                           {"new", Cmd::NewMoon},
                                                           {"full", Cmd::FullMoon},
                                                           {"next-full", Cmd::NextFull},
                                                           {"prev-full", Cmd::BackFull}};
    for (const auto& [name, command] : commands)
      if (*a.search == name) main.run(command);
  }
  const bool searchFailed = ui.messages > messagesBeforeSearch;
  std::cout << fieldsBlock(form);
  if (a.topocentric) std::cout << topocentricBlock(main.calculator().result(), a);

  // The outputs, switched on as a user would: the table, the graph with its
  // series, then the export file, whose choice starts the loop.
  if (a.tableFile && form.check(velmar::Check::TableOutput) == 0)
    main.run(velmar::Cmd::TableOutput);
  const velmar::Cmd series[] = {velmar::Cmd::GraphSun, velmar::Cmd::GraphMoon,
                                velmar::Cmd::GraphIllumination, velmar::Cmd::GraphLatitude};
  for (int k = 0; k < 4; ++k)
    if (velmar::isOn(main, series[k]) != a.graphSeries[k]) main.run(series[k]);
  if (a.graph && form.check(velmar::Check::GraphOutput) == 0) main.run(velmar::Cmd::GraphOutput);
  if (a.exportFile) {
    main.headlessWindows()->nextFile = velmar::FileChoice{*a.exportFile, 0};
    main.run(velmar::Cmd::ChooseExportFile);
  }
  if (a.stepUnit) main.run(velmar::Cmd::StartLoop);
  // While the loop runs, up to the loop count's calculations in all: the
  // outputs end it when the last of them has taken its rows.
  const double loops = form.value(Field::LoopCount);
  for (long long i = 1; i < loops && main.timer().interval() > 0 && std::cout; ++i) {
    main.timerFired();
    std::cout << "\n" << fieldsBlock(form);
    if (a.topocentric) std::cout << topocentricBlock(main.calculator().result(), a);
  }

  bool written = true;
  if (a.tableFile) written = velmar::cli::writeListing(main.outputs().table(), *a.tableFile);
  written = pictures.write(a.svg) && written;
  written = written && main.outputs().file().failures() == 0;
  if (!outputWritten()) return outputFailed();
  if (!written || searchFailed) return 1;
  // The window beeps and says so on its guidance line; here it is the exit
  // status, after everything was printed.
  if (main.invalidDates() > 0) {
    std::cerr << "velmar-cli: " << velmar::kInvalidDateHint << "\n";
    return 1;
  }
  return 0;
}
