// "一括推算" against the timer: the same settings run on the timer and at
// once leave the same export file, table listing, graph and fields, byte
// for byte; a cancelled batch leaves whole lines.
#include "app/batch_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "config/temp_folder.h"
#include "output/graph.h"
#include "output/output_fixture.h"
#include "views/svg.h"

namespace velmar {
namespace {

using testing::TempFolder;

std::string readAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// What a run leaves behind.
struct Outcome {
  std::string exported;
  std::vector<std::string> listing;
  std::string graphSvg;
  FormState form;
  size_t points = 0;
};

struct Settings {
  const char* name;
  InstantTexts start;
  Option unit;
  const char* amount;
  bool past;
  const char* loops;
  bool rebase;  // 朔月自動基準化: the moon age re-bases inside the steps
};

// One headless main form with the shared fixture's first start, the graph
// drawing into a recording, and every output on.
class Rig : public testing_output::OutputTest {
 public:
  using OutputTest::form;
  using OutputTest::main;
  using OutputTest::outputs;
  using OutputTest::runLoop;
  using OutputTest::timer;
  RecordingCanvas picture;
  explicit Rig(const Settings& s, const std::string& csv) {
    SetUp();
    outputs.graph().attach(&picture, kGraphWidth, kGraphHeight);
    form.selectOption(s.unit);
    form.setText(Field::ChangeAmount, s.amount);
    form.selectOption(s.past ? Option::Past : Option::Future);
    form.setText(Field::LoopCount, s.loops);
    if (s.rebase) form.setCheck(Check::AutoRebase, 1);
    writeInstant(form, s.start);
    main.calculator().calc();
    main.run("tableOutputCheck");
    main.run("graphOutputCheck");
    if (!csv.empty()) main.headlessWindows()->nextFile = FileChoice{csv, 0};
  }
  ~Rig() override { outputs.graph().detach(&picture); }
  void TestBody() override {}

  // Runs what the batch posted until it is over.
  void runBatch() {
    for (int guard = 0; guard < 100000 && (main.batch().active() || timer.runPosted() > 0); ++guard)
      timer.runPosted();
  }
  Outcome outcome(const std::string& csv) {
    if (form.check(Check::FileOutput) == 1) main.run("fileOutputCheck");  // closes a file left open
    return {csv.empty() ? "" : readAll(csv), outputs.table().listing(),
            toSvg(kGraphWidth, kGraphHeight, outputs.graph().title(), picture.ops()), form.state(),
            outputs.graph().points().size()};
  }
};

void expectSame(const Outcome& timer, const Outcome& batch, const char* name) {
  EXPECT_EQ(timer.exported, batch.exported) << name;
  EXPECT_EQ(timer.listing, batch.listing) << name;
  EXPECT_EQ(timer.graphSvg, batch.graphSvg) << name;
  EXPECT_TRUE(timer.form == batch.form) << name;
  EXPECT_EQ(timer.points, batch.points) << name;
}

const Settings kSettings[] = {
    {"six hours ahead", {"2001", "3", "9", "21", "5", "0"}, Option::Hours, "6", false, "30", false},
    // Back over 29 February of a leap year, re-basing at the new moons.
    {"days back", {"2000", "3", "20", "0", "0", "0"}, Option::Days, "1", true, "75", true},
    // From 31 January: 31 February stays in the fields, and so on.
    {"months over month ends",
     {"2001", "1", "31", "12", "0", "0"},
     Option::Months,
     "1",
     false,
     "26",
     false},
    {"seconds into the next day",
     {"2001", "12", "31", "23", "59", "0"},
     Option::Seconds,
     "7",
     false,
     "40",
     false},
};

TEST(BatchRun, GivesWhatTheTimerGivesByteForByte) {
  for (const Settings& s : kSettings) {
    TempFolder dir;
    const std::string a = dir / "timer.csv", b = dir / "batch.csv";
    Rig timed(s, a);
    timed.main.run("fileout");  // the file's choice starts the loop
    const int ticks = timed.runLoop(100000);
    Rig batched(s, b);
    batched.main.run("fileout");
    ASSERT_TRUE(batched.main.run("batchcalc")) << s.name;
    EXPECT_TRUE(batched.main.batch().active()) << s.name;
    batched.runBatch();
    EXPECT_FALSE(batched.main.batch().active()) << s.name;
    EXPECT_EQ(batched.main.batch().done(), ticks) << s.name;
    EXPECT_EQ(batched.main.batch().planned(), ticks) << s.name;
    EXPECT_EQ(batched.timer.interval(), 0) << s.name;
    const Outcome x = timed.outcome(a), y = batched.outcome(b);
    EXPECT_EQ(std::count(x.exported.begin(), x.exported.end(), '\n'), 2 + std::stoi(s.loops))
        << s.name;
    expectSame(x, y, s.name);
  }
}

TEST(BatchRun, TakesOverARunningLoopAndRunsWithoutOutputsAsTheCliDoes) {
  const Settings& s = kSettings[0];
  // Three ticks on the timer, then the rest at once.
  Rig timed(s, ""), mixed(s, "");
  timed.main.run("loopcalc");
  timed.runLoop();
  mixed.main.run("loopcalc");
  for (int i = 0; i < 3; ++i) mixed.main.timerFired();
  mixed.main.run("batchbt");
  EXPECT_EQ(mixed.main.batch().planned(), 30 - 1 - 3);
  // The timer's own ticks wait while the batch runs.
  mixed.main.timerFired();
  mixed.runBatch();
  expectSame(timed.outcome(""), mixed.outcome(""), "taken over");

  // Nothing recording: loop count - 1 steps, then the loop is stopped.
  Rig bare(s, "");
  bare.main.run("tableOutputCheck");
  bare.main.run("graphOutputCheck");
  bare.main.run("batchcalc");
  bare.runBatch();
  EXPECT_EQ(bare.main.batch().done(), 29);
  EXPECT_EQ(bare.timer.interval(), 0);
  EXPECT_EQ(testing_instant::instantOf(bare.form), "2001-3-17 3:5:0");  // 29 x 6 h on
}

TEST(BatchRun, CancelStopsAfterAStepAndLeavesWholeLines) {
  TempFolder dir;
  const std::string csv = dir / "long.csv";
  Rig rig({"long", {"2001", "3", "9", "21", "5", "0"}, Option::Minutes, "1", false, "5000", false},
          csv);
  rig.main.run("fileout");
  BatchRun& batch = rig.main.batch();
  batch.sliceTime = std::chrono::milliseconds(0);  // a few steps a slice
  int progress = 0, finished = 0;
  const int id = batch.events().connect([&](BatchEvent e) {
    if (e == BatchEvent::Progress && ++progress == 2) batch.cancel();
    if (e == BatchEvent::Finished) ++finished;
  });
  // The fields are told of the steps only between slices.
  int heard = 0;
  const int listen = rig.form.changed().connect([&](const Change&) { ++heard; });
  rig.main.run("batchcalc");
  rig.runBatch();
  batch.events().disconnect(id);
  rig.form.changed().disconnect(listen);
  EXPECT_EQ(finished, 1);
  EXPECT_TRUE(batch.cancelled());
  const long long done = batch.done();
  EXPECT_GT(done, 0);
  EXPECT_LT(done, 4999);
  EXPECT_LT(heard, 4 * kFieldCount);
  // Like STOP: the loop stopped, the outputs still on, every line whole.
  EXPECT_EQ(rig.timer.interval(), 0);
  EXPECT_EQ(rig.form.check(Check::FileOutput), 1);
  EXPECT_EQ(rig.outputs.table().rows().size(), static_cast<size_t>(done + 1));
  const Outcome o = rig.outcome(csv);
  EXPECT_EQ(std::count(o.exported.begin(), o.exported.end(), '\n'), 2 + done + 1);
  ASSERT_GE(o.exported.size(), 2u);
  EXPECT_EQ(o.exported.substr(o.exported.size() - 2), "\r\n");
  std::istringstream lines(o.exported);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) EXPECT_EQ(std::count(line.begin(), line.end(), ','), 13);
  // The last step is what the fields show.
  EXPECT_EQ(o.listing.back().substr(0, 10), "2001/03/09");
  EXPECT_EQ(rig.form.text(Field::Minute), std::to_string((5 + done) % 60));
}

}  // namespace
}  // namespace velmar
