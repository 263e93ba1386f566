// Speed of the calculation chain. The floor is the bare sum of the 173
// series terms for the same t: what any implementation of the series pays.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "app/main_form.h"
#include "astro/almanac.h"
#include "astro/angles.h"
#include "astro/koyomi.h"
#include "astro/series.h"
#include "astro/solar_eclipses.h"

namespace {

using namespace velmar;

struct Fixture {
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  MainForm main{ui, clock};
  Fixture() {
    FormModel& f = main.form();
    writeInstant(f, {"2001", "3", "9", "21", "5", "0"});
    f.setText(Field::DeltaT, "66");
    main.calculator().setSite(35.6544, 139.7447);
  }
  // Moves the instant so that every field really changes.
  void step(int i) { main.form().setText(Field::Second, i % 2 ? "1" : "0"); }
};

template <size_t N>
double sum(const std::array<Term, N>& terms, double t, double acc) {
  for (const Term& term : terms) {
    const double a = term.timesT ? term.a * t : term.a;
    acc = acc + a * dcos(term.r * t + term.p);
  }
  return acc;
}

void BM_SeriesFloor(benchmark::State& state) {
  double t = 0.0118;
  for (auto _ : state) {
    double s = sum(kSunLongitudeTerms, t, 0) + sum(kSunDistanceTerms, t, 0) +
               sum(kMoonLongitudeTerms, t, 0) + sum(kMoonLatitudeTerms, t, 0) +
               sum(kMoonParallaxTerms, t, 0);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_SeriesFloor);

// The reduced calculation's share of the floor: the Sun's and the Moon's
// longitude terms.
void BM_SeriesFloorFieldShare(benchmark::State& state) {
  double t = 0.0118;
  for (auto _ : state) {
    double s = sum(kSunLongitudeTerms, t, 0) + sum(kMoonLongitudeTerms, t, 0);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_SeriesFloorFieldShare);

void BM_Calc(benchmark::State& state) {
  Fixture fx;
  int i = 0;
  for (auto _ : state) {
    fx.step(i++);
    fx.main.calculator().calc();
  }
}
BENCHMARK(BM_Calc);

// A tick with all five views open: each calc also computes every view's
// drawing (headless, into a kept picture), the sky view leaving its trail.
void BM_CalcAllViews(benchmark::State& state) {
  Fixture fx;
  Views& views = fx.main.views();
  std::vector<ViewPicture> kept(kViewCount);
  for (View v : kViews) {
    ViewPicture* slot = &kept[static_cast<size_t>(v)];
    views.attach(v, {[&views, v, slot] { views.picture(v, 5000, 2500, *slot); }, {}});
    views.open(v);
  }
  views.setTrail(true);
  int i = 0;
  for (auto _ : state) {
    fx.step(i++);
    fx.main.calculator().calc();
  }
  benchmark::DoNotOptimize(kept.data());
}
BENCHMARK(BM_CalcAllViews);

// The reduced calculation through the fields, as the searches once ran it
// at every step.
void BM_FieldCalc(benchmark::State& state) {
  Fixture fx;
  int i = 0;
  for (auto _ : state) {
    fx.step(i++);
    fx.main.calculator().calcReduced();
  }
}
BENCHMARK(BM_FieldCalc);

// The searches from a waxing gibbous instant: a hundred or a few hundred
// reduced calculations each. The counter `calcs` is the number of reduced
// calculations one search runs: its floor is that many times
// BM_SeriesFloorFieldShare.
struct SearchFixture : Fixture {
  unsigned long long runs = 0;  // reduced calculations inside the timed searches
  void reset() {
    writeInstant(main.form(), {"2001", "3", "9", "21", "5", "0"});
    main.calculator().calc();
  }
  template <typename F>
  void timed(F search) {
    const unsigned long long before = main.calculator().reducedRuns();
    search();
    runs += main.calculator().reducedRuns() - before;
  }
  void report(benchmark::State& state) const {
    state.counters["calcs"] =
        benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kAvgIterations);
  }
};

void BM_NewMoonSearch(benchmark::State& state) {
  SearchFixture fx;
  for (auto _ : state) {
    state.PauseTiming();
    fx.reset();
    state.ResumeTiming();
    fx.timed([&] { fx.main.lunation().findNewMoon(); });
  }
  fx.report(state);
}
BENCHMARK(BM_NewMoonSearch)->Unit(benchmark::kMicrosecond);

void BM_FullMoonSearch(benchmark::State& state) {
  SearchFixture fx;
  for (auto _ : state) {
    state.PauseTiming();
    fx.reset();
    fx.main.form().setText(Field::Day, "1");  // waxing: the long hour walk
    fx.main.calculator().calc();
    state.ResumeTiming();
    fx.timed([&] { fx.main.lunation().findFullMoon(); });
  }
  fx.report(state);
}
BENCHMARK(BM_FullMoonSearch)->Unit(benchmark::kMicrosecond);

void BM_MoonAgeSearch(benchmark::State& state) {
  SearchFixture fx;
  fx.reset();
  for (auto _ : state) fx.timed([&] { fx.main.lunation().calculateMoonAge(); });
  fx.report(state);
}
BENCHMARK(BM_MoonAgeSearch)->Unit(benchmark::kMicrosecond);

// --- the almanac ---------------------------------------------------------------

// One month of the 月の暦 table at one site: the Moon's and the Sun's
// rising, transit and setting every day, the month's quarters, apsides and
// eclipses and each day's noon moon age. To set against BM_Calc.
// The first call pays for opening the ephemeris files and filling the
// library's caches: measured once, before any other use of the library in
// this run, and reported beside the steady cost as the counter "cold_us".
double coldMicroseconds(const std::function<void()>& first) {
  const auto start = std::chrono::steady_clock::now();
  first();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

double coldAlmanacMonth() {
  static const double us = coldMicroseconds(
      [] { benchmark::DoNotOptimize(almanac::month(2024, 1, {35.6544, 139.7447}, 69).data()); });
  return us;
}

double coldLunarEclipses() {
  static const double us = coldMicroseconds([] {
    benchmark::DoNotOptimize(almanac::lunarEclipses(almanac::jdOfJst(2000, 1, 1, 0, 0, 0),
                                                    almanac::jdOfJst(2100, 1, 1, 0, 0, 0), 69)
                                 .data());
  });
  return us;
}

void BM_AlmanacMonth(benchmark::State& state) {
  state.counters["cold_us"] = coldAlmanacMonth();
  int month = 0;
  for (auto _ : state) {
    const auto rows = almanac::month(2024, 1 + month++ % 12, {35.6544, 139.7447}, 69);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_AlmanacMonth)->Unit(benchmark::kMicrosecond);

// A century of eclipses from `firstYear` on as `find` lists them, their
// number beside the time.
template <typename Find>
void centuryOfEclipses(benchmark::State& state, int firstYear, Find find) {
  const double from = almanac::jdOfJst(firstYear, 1, 1, 0, 0, 0);
  const double to = almanac::jdOfJst(firstYear + 100, 1, 1, 0, 0, 0);
  size_t found = 0;
  for (auto _ : state) {
    const auto eclipses = find(from, to);
    found = eclipses.size();
    benchmark::DoNotOptimize(eclipses.data());
  }
  state.counters["eclipses"] = static_cast<double>(found);
}

// Every lunar eclipse of a century (228 by Danjon's rule in 2001-2100).
void BM_LunarEclipses100y(benchmark::State& state) {
  state.counters["cold_us"] = coldLunarEclipses();
  centuryOfEclipses(state, 2000,
                    [](double from, double to) { return almanac::lunarEclipses(from, to, 69); });
}
BENCHMARK(BM_LunarEclipses100y)->Unit(benchmark::kMillisecond);

// Every solar eclipse of a century (224 in 2001-2100): the new moons
// screened with the series, the candidates on a few precise positions. The
// library's first call is paid before, and told by the lunar eclipses.
void BM_SolarEclipses100y(benchmark::State& state) {
  coldLunarEclipses();
  centuryOfEclipses(state, 2001,
                    [](double from, double to) { return solar::eclipses(from, to, 69); });
}
BENCHMARK(BM_SolarEclipses100y)->Unit(benchmark::kMillisecond);

// The solar eclipses of a century seen from Tokyo, with their contacts.
void BM_LocalSolarEclipses100y(benchmark::State& state) {
  coldLunarEclipses();
  centuryOfEclipses(state, 2001, [](double from, double to) {
    return solar::localEclipses(from, to, {35.6895, 139.6917}, 69);
  });
}
BENCHMARK(BM_LocalSolarEclipses100y)->Unit(benchmark::kMillisecond);

// One year of the calendar: the 24 terms and the longitude-defined 雑節,
// the dated 雑節, the quarters, the months of 旧暦 (three winter solstices,
// some 26 new moons and, in a leap year, the 中気) and 十五夜 and 十三夜.
// To set against BM_Calc; the years change so that no cache of the
// library's last positions answers.
void BM_KoyomiYear(benchmark::State& state) {
  // The library's first call is paid here if no benchmark before paid it.
  coldAlmanacMonth();
  int year = 0;
  for (auto _ : state) {
    const koyomi::Year y = koyomi::year(2020 + year++ % 20, 69);
    benchmark::DoNotOptimize(y.timed.data());
  }
}
BENCHMARK(BM_KoyomiYear)->Unit(benchmark::kMicrosecond);

// --- the outputs ---------------------------------------------------------------

// The graph window's picture, reduced to what the core pays for it: the
// drawing operations handed over.
class DiscardingCanvas : public Canvas {
 public:
  void draw(const DrawOp& op) override { benchmark::DoNotOptimize(&op); }
};

// A tick of the continuous calculation with the data table, the graph and
// an export file (a real file, written line by line) all switched on, to
// set against BM_Calc.
// Hourly steps from the example instant with the data table, the graph
// (into `picture`) and the export file `path` switched on: the loop runs.
void startAllOutputs(MainForm& main, const std::string& loopCount, DiscardingCanvas& picture,
                     const char* path) {
  FormModel& f = main.form();
  writeInstant(f, {"2001", "3", "9", "21", "5", "0"});
  f.setText(Field::DeltaT, "66");
  f.setText(Field::ChangeAmount, "1");
  f.selectOption(Option::Hours);
  f.setText(Field::LoopCount, loopCount);
  for (Check c :
       {Check::GraphSun, Check::GraphMoon, Check::GraphIllumination, Check::GraphLatitude})
    f.setCheck(c, 1);
  main.calculator().setSite(35.6544, 139.7447);
  main.outputs().graph().attach(&picture, 8635, 4452);
  main.headlessWindows()->nextFile = FileChoice{path, 0};
  main.run("tableOutputCheck");
  main.run("graphOutputCheck");
  main.run("fileout");  // file output on, the loop running
}

void BM_TickAllOutputs(benchmark::State& state) {
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main(ui, clock, timer);
  DiscardingCanvas picture;
  char path[] = "/tmp/velmar-bench-XXXXXX.csv";
  const int fd = mkstemps(path, 4);
  if (fd >= 0) close(fd);
  // The count is asked about and answered yes: no output ends the run.
  startAllOutputs(main, "1000000000", picture, path);
  for (auto _ : state) main.timerFired();
  if (!main.outputs().file().isOpen() || main.outputs().file().failures() > 0)
    state.SkipWithError("the export file was not written");
  main.run("fileOutputCheck");
  main.outputs().graph().detach(&picture);
  std::remove(path);
}
BENCHMARK(BM_TickAllOutputs);

// "一括推算" of range(0) steps with the data table, the graph and an export
// file on, from the start as the command starts it to the last line
// written: to set against range(0) x BM_Calc.
void BM_BatchAllOutputs(benchmark::State& state) {
  const long long steps = state.range(0);
  char path[] = "/tmp/velmar-bench-XXXXXX.csv";
  const int fd = mkstemps(path, 4);
  if (fd >= 0) close(fd);
  for (auto _ : state) {
    state.PauseTiming();
    {
      PlainUi ui;
      FixedClock clock{std::chrono::system_clock::time_point{}};
      ManualTimer timer;
      MainForm main(ui, clock, timer);
      DiscardingCanvas picture;
      startAllOutputs(main, std::to_string(steps + 1), picture, path);
      state.ResumeTiming();
      main.run("batchcalc");
      while (main.batch().active()) timer.runPosted();
      state.PauseTiming();
      if (main.batch().done() != steps || main.outputs().file().failures() > 0 ||
          main.outputs().table().rows().size() != static_cast<size_t>(steps + 1))
        state.SkipWithError("the batch did not run its steps");
      main.outputs().graph().detach(&picture);
    }
    state.ResumeTiming();
  }
  // CPU seconds per step.
  state.counters["per_step"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
  std::remove(path);
}
BENCHMARK(BM_BatchAllOutputs)->Arg(100000)->Unit(benchmark::kMillisecond);

// Appending a row to a table that already holds range(0) rows: the same
// time at the hundred-thousandth row as at the first.
void BM_TableAppend(benchmark::State& state) {
  Fixture fx;
  fx.main.form().setText(Field::LoopCount, "1000000000");
  fx.main.calculator().calc();
  DataTable& table = fx.main.outputs().table();
  const size_t heapBefore = mallinfo2().uordblks;
  for (int64_t i = 0; i < state.range(0); ++i) table.dataadd();
  if (state.range(0) > 0) {
    // What the filled table takes: its own count and the heap's.
    state.counters["table_MB"] = static_cast<double>(table.rows().memoryBytes()) / (1 << 20);
    state.counters["heap_MB"] = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1 << 20);
  }
  for (auto _ : state) table.dataadd();
}
BENCHMARK(BM_TableAppend)->Arg(0)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
