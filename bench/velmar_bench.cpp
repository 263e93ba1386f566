// Speed of the calculation chain. The floor is the bare sum of the 173
// series terms for the same t: what any implementation of the series pays.
#include <benchmark/benchmark.h>

#include "app/main_form.h"
#include "engine/angles.h"
#include "engine/series.h"

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

// calcn's share of the floor: the Sun's and the Moon's longitude terms.
void BM_SeriesFloorCalcnShare(benchmark::State& state) {
  double t = 0.0118;
  for (auto _ : state) {
    double s = sum(kSunLongitudeTerms, t, 0) + sum(kMoonLongitudeTerms, t, 0);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_SeriesFloorCalcnShare);

void BM_Calc(benchmark::State& state) {
  Fixture fx;
  int i = 0;
  for (auto _ : state) {
    fx.step(i++);
    fx.main.calculator().calc();
  }
}
BENCHMARK(BM_Calc);

void BM_Calcn(benchmark::State& state) {
  Fixture fx;
  int i = 0;
  for (auto _ : state) {
    fx.step(i++);
    fx.main.calculator().calcn();
  }
}
BENCHMARK(BM_Calcn);

// The searches from a waxing gibbous instant: a hundred or a few hundred
// calcn each. The counter `calcn` is the number of reduced calculations one
// search runs: its floor is that many times BM_SeriesFloorCalcnShare.
struct SearchFixture : Fixture {
  unsigned long long runs = 0;  // calcn inside the timed searches
  void reset() {
    writeInstant(main.form(), {"2001", "3", "9", "21", "5", "0"});
    main.calculator().calc();
  }
  template <typename F>
  void timed(F search) {
    const unsigned long long before = main.calculator().calcnRuns();
    search();
    runs += main.calculator().calcnRuns() - before;
  }
  void report(benchmark::State& state) const {
    state.counters["calcn"] =
        benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kAvgIterations);
  }
};

void BM_Newmcheck(benchmark::State& state) {
  SearchFixture fx;
  for (auto _ : state) {
    state.PauseTiming();
    fx.reset();
    state.ResumeTiming();
    fx.timed([&] { fx.main.lunation().newmcheck(); });
  }
  fx.report(state);
}
BENCHMARK(BM_Newmcheck)->Unit(benchmark::kMicrosecond);

void BM_Fullcheck(benchmark::State& state) {
  SearchFixture fx;
  for (auto _ : state) {
    state.PauseTiming();
    fx.reset();
    fx.main.form().setText(Field::Day, "1");  // waxing: the long hour walk
    fx.main.calculator().calc();
    state.ResumeTiming();
    fx.timed([&] { fx.main.lunation().fullcheck(); });
  }
  fx.report(state);
}
BENCHMARK(BM_Fullcheck)->Unit(benchmark::kMicrosecond);

void BM_Agecalc(benchmark::State& state) {
  SearchFixture fx;
  fx.reset();
  for (auto _ : state) fx.timed([&] { fx.main.lunation().agecalc(); });
  fx.report(state);
}
BENCHMARK(BM_Agecalc)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
