// The graph: where its points go, when a run ends, what it keeps.
#include "output/graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "output/graph_axes.h"
#include "output/graph_thinning.h"
#include "output/output_fixture.h"

namespace velmar {
namespace {

using testing_output::OutputTest;

class GraphTest : public OutputTest {
 protected:
  RecordingCanvas picture;
  Graph& graph = outputs.graph();
  void SetUp() override {
    OutputTest::SetUp();
    graph.attach(&picture, kGraphWidth, kGraphHeight);
  }
  void TearDown() override { graph.detach(&picture); }

  std::vector<DrawOp> linesOf(Rgb colour) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : picture.ops())
      if (op.kind == DrawOp::Kind::Line && op.color == colour) out.push_back(op);
    return out;
  }
  // The grid lines, by their x.
  std::vector<double> gridAt(Rgb colour) const {
    std::vector<double> xs;
    for (const DrawOp& op : linesOf(colour))
      if (op.x == op.x2) xs.push_back(op.x);
    return xs;
  }
};

TEST_F(GraphTest, LoadingDrawsTheMiddleLineAndARunSpansTheWidth) {
  ASSERT_EQ(picture.ops().size(), 1u);
  EXPECT_EQ(picture.ops()[0], DrawOp::line(0, 2226, 8635, 2226, palette::kRed));

  form.setText(Field::LoopCount, "2");
  main.run("graphWindow.startDrawingButton");  // グラフ描画: on, the loop running
  EXPECT_GT(timer.interval(), 0);
  EXPECT_EQ(runLoop(), 1);
  EXPECT_EQ(gridAt(kGridGrey), (std::vector<double>{0, 8585}));
  EXPECT_EQ(form.check(Check::GraphOutput), 0);
  EXPECT_EQ(graph.state().graphIndex, 0);
  EXPECT_EQ(graph.title(), "Velmar - Graph - 2001/3/10 21:5:0");

  // Ten points: the tenth grid line red; then off, and the loop stops.
  form.setText(Field::LoopCount, "10");
  main.run("graphOutputCheck");
  main.run("loopcalc");
  EXPECT_EQ(runLoop(), 9);
  const std::vector<double> grey = gridAt(kGridGrey);
  EXPECT_EQ(grey.size(), 2u + 9u);
  EXPECT_EQ(grey.back(), 8585.0 / 9 * 8);
  EXPECT_EQ(gridAt(palette::kRed), std::vector<double>{8585.0 / 9 * 9});
  EXPECT_EQ(form.check(Check::GraphOutput), 0);
  EXPECT_EQ(timer.interval(), 0);
}

TEST_F(GraphTest, EachCurveOnItsOwnScaleFromItsLastValue) {
  // A graph of its own, fed results as their fields would show them.
  astro::Calculation shown = main.calculator().result();
  Graph graph(form, shown, main.continuous());
  RecordingCanvas picture;
  graph.attach(&picture, kGraphWidth, kGraphHeight);
  shown.illumination.shown = 1;
  shown.sunDistance.shown = 1.01;
  shown.moonDistance.shown = 384401;
  shown.moonLatitude.shown = 5;
  graph.graphadd();
  shown.illumination.shown = 0;
  shown.sunDistance.shown = 0.99;
  shown.moonDistance.shown = 409401;
  shown.moonLatitude.shown = -5;
  graph.graphadd();
  const double step = 8585.0 / 9;
  // Plotting order: fraction, Sun, Moon, latitude; each from the value it
  // had last (0 at the start) to the new one, two pixels wide.
  struct Segment {
    Rgb colour;
    double y1, y2;
  } expected[] = {
      {palette::kGreen, 202, 4202},     // k 1 -> 0
      {palette::kMagenta, 1202, 3202},  // r 1.01 -> 0.99 AU
      {palette::kBlue, 2202, 202},      // d 384401 -> 409401 km
      {palette::kCyan, 202, 4202},      // beta +5 -> -5 degrees
  };
  const std::vector<DrawOp>& ops = picture.ops();
  ASSERT_GE(ops.size(), 5u);
  EXPECT_EQ(ops[ops.size() - 5], DrawOp::line(step, 0, step, 4452, kGridGrey));
  for (int i = 0; i < 4; ++i) {
    const DrawOp& op = ops[ops.size() - 4 + i];
    EXPECT_EQ(op.color, expected[i].colour) << i;
    EXPECT_EQ(op.width, 2) << i;
    EXPECT_EQ(op.x, 0) << i;
    EXPECT_EQ(op.x2, step) << i;
    EXPECT_NEAR(op.y, expected[i].y1, 1e-9) << i;
    EXPECT_NEAR(op.y2, expected[i].y2, 1e-9) << i;
  }
  // The first point comes from outside the picture, from the value 0.
  const auto green = std::find_if(ops.begin(), ops.end(), [](const DrawOp& op) {
    return op.kind == DrawOp::Kind::Line && op.color == palette::kGreen;
  });
  ASSERT_NE(green, ops.end());
  EXPECT_EQ(*green, DrawOp::line(-step, 2202 + 0.5 * 4000, 0, 202, palette::kGreen, 2));
  graph.detach(&picture);
}

TEST_F(GraphTest, UntickedCurvesWaitAndBridgeTheGapWhenTickedAgain) {
  for (const char* box : {"graphSunCheck", "graphMoonCheck", "graphLatitudeCheck"}) main.run(box);
  main.run("graphWindow.illuminationCheck");  // the legend's box is the main window's
                                              // graphIlluminationCheck
  EXPECT_EQ(form.check(Check::GraphIllumination), 0);
  graph.graphadd();
  EXPECT_EQ(picture.ops().size(), 2u);  // the middle line and one grid line

  main.run("graphIlluminationCheck");
  graph.graphadd();  // index 1
  const double kBefore = form.value(Field::Illumination);
  main.run("graphIlluminationCheck");
  main.run("stepUpButton");  // off: the green curve stops
  main.run("stepUpButton");
  main.run("graphIlluminationCheck");
  main.run("stepUpButton");
  graph.graphadd();  // on again: one segment from the last value
  const std::vector<DrawOp> green = linesOf(palette::kGreen);
  ASSERT_EQ(green.size(), 2u);
  EXPECT_EQ(green[1].y, 2202 - (kBefore - 0.5) * 4000);
  EXPECT_EQ(green[1].x, 8585.0 / 9 * 1);
  EXPECT_EQ(green[1].x2, 8585.0 / 9 * 2);
}

TEST_F(GraphTest, ClearingWipesThePictureButKeepsTheLastValues) {
  main.run("graphOutputCheck");  // the first point
  const auto prev = graph.state().graphPrev;
  main.run("clearGraphButton");  // ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ: cleared, and the first point again
  ASSERT_GE(picture.ops().size(), 2u);
  EXPECT_EQ(picture.ops()[0], DrawOp::clear(palette::kWhite));
  EXPECT_EQ(picture.ops()[1], DrawOp::line(0, 2226, 8635, 2226, palette::kRed));
  EXPECT_EQ(graph.state().graphCount, 1);
  EXPECT_EQ(linesOf(palette::kGreen).back().y, 2202 - (prev[0] - 0.5) * 4000);

  // 消去・描画 with the graph on or off: exactly one first point.
  for (int on : {1, 0}) {
    form.setCheck(Check::GraphOutput, on);
    main.run("graphWindow.clearAndDrawButton");
    EXPECT_EQ(graph.state().graphIndex, 1) << on;
    EXPECT_EQ(form.check(Check::GraphOutput), 1);
    EXPECT_GT(timer.interval(), 0);
    main.run("stopcalc");
  }
  // Closing the window ends the run; hiding it does not.
  main.run("graphWindow.closeButton");
  EXPECT_EQ(form.check(Check::GraphOutput), 1);
  graph.windowClosed();
  EXPECT_EQ(form.check(Check::GraphOutput), 0);
  EXPECT_EQ(graph.state().graphIndex, 0);
}

// A run of more steps than the picture has pixels shows every curve's
// segment, a tenth of the red grid lines and the grey ones at least 3
// pixels apart; a short run shows its whole grid.
TEST_F(GraphTest, DenseRunsThinTheirGridButKeepEveryPoint) {
  struct Case {
    const char* loops;
    size_t reds, greys;  // shown
  } cases[] = {{"12", 1, 11}, {"1000", 10, 0}};
  for (const Case& c : cases) {
    main.run("clearGraphButton");
    form.setText(Field::LoopCount, c.loops);
    main.run("graphOutputCheck");
    main.run("loopcalc");
    runLoop(5000);
    const double px = 1.0 / 15;  // the design size
    GridThinning thinning(px);
    size_t segments = 0, shownSegments = 0, reds = 0, greys = 0;
    double last = -1e9;
    for (const DrawOp& op : picture.ops()) {
      const bool kept = thinning.keep(op);
      if (op.kind == DrawOp::Kind::Line && op.width == 2) {
        ++segments;
        shownSegments += kept;
        continue;
      }
      if (!kept || !GridThinning::isGridLine(op)) continue;
      if (op.color == palette::kRed) {
        ++reds;
      } else {
        ++greys;
        EXPECT_GE(op.x * px - last, 3) << c.loops;
      }
      last = op.x * px;
    }
    EXPECT_EQ(shownSegments, segments) << c.loops;
    EXPECT_EQ(segments, 4 * outputs.graph().points().size()) << c.loops;
    EXPECT_EQ(reds, c.reds) << c.loops;
    if (c.greys) {
      EXPECT_EQ(greys, c.greys) << c.loops;
    } else {
      // About one grid line in every 3 pixels of the 572 the run spans.
      EXPECT_NEAR(static_cast<double>(greys + reds), 8585 * px / 3, 20) << c.loops;
    }
  }
}

using GraphWindowLoading = testing_form::HeadlessFormTest;

TEST_F(GraphWindowLoading, TheGraphAsksForItsWindowWhenItFirstDraws) {
  Graph& graph = main.outputs().graph();
  RecordingCanvas picture;
  int loads = 0;
  graph.loadWindow = [&] {
    ++loads;
    graph.attach(&picture, kGraphWidth, kGraphHeight);
  };
  main.run("graphSunCheck");  // the legend shows the series boxes
  EXPECT_EQ(loads, 1);
  main.run("graphSunCheck");
  main.run("graphOutputCheck");
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(picture.ops().size(), 2u);  // the middle line, a grid line: no series is on
  graph.detach(&picture);
}

// Fault guarded: a 100 000-step graph saved a 64 MB SVG that took 31 s to
// show. Thinned, each curve covers the same pixels: in every pixel column
// the same lowest and highest point, and the steps a pixel or more apart
// are all kept.
TEST(GraphThinning, HundredThousandStepsMakeASixtyFourMegabyteSvg) {
  constexpr double kPx = 1.0 / 15;  // 576 columns over the graph's 8640 twips
  std::vector<DrawOp> ops{DrawOp::clear(palette::kWhite)};
  const int steps = 100000;
  for (int i = 0; i < steps; ++i) {
    const auto y = [](int k) { return 2000 + 1500 * std::sin(k * 0.0007) * std::cos(k * 0.031); };
    const double x1 = 8640.0 * i / steps, x2 = 8640.0 * (i + 1) / steps;
    ops.push_back(DrawOp::line(x1, y(i), x2, y(i + 1), palette::kBlue));
    ops.push_back(DrawOp::line(x1, 500 + i % 7, x2, 500 + (i + 1) % 7, palette::kRed, 2));
  }
  // Sparse: twenty pixels a step, and a single segment elsewhere.
  for (int i = 0; i < 20; ++i)
    ops.push_back(DrawOp::line(i * 300, 4000 + 40 * (i % 3), (i + 1) * 300,
                               4000 + 40 * ((i + 1) % 3), palette::kBlack));
  ops.push_back(DrawOp::line(100, 100, 100, 4400, palette::kGreen));

  const std::vector<DrawOp> thin = thinToPixels(ops, kPx);
  ASSERT_EQ(thin.front().kind, DrawOp::Kind::Clear);
  EXPECT_LT(thin.size(), ops.size() / 20);
  // Per colour and column: lowest and highest y of the points there.
  using Span = std::map<std::pair<int, long>, std::pair<double, double>>;
  const auto spans = [](const std::vector<DrawOp>& list) {
    Span out;
    for (const DrawOp& op : list) {
      if (op.kind != DrawOp::Kind::Line) continue;
      const int key = op.color.r * 65536 + op.color.g * 256 + op.color.b;
      for (const auto& [x, y] : {std::pair{op.x, op.y}, std::pair{op.x2, op.y2}}) {
        auto [it, fresh] =
            out.try_emplace({key, static_cast<long>(std::floor(x * kPx))}, std::pair{y, y});
        if (!fresh) it->second = {std::min(it->second.first, y), std::max(it->second.second, y)};
      }
    }
    return out;
  };
  EXPECT_EQ(spans(thin), spans(ops));
  size_t black = 0, green = 0;
  for (const DrawOp& op : thin) {
    black += op.color == palette::kBlack;
    green += op.color == palette::kGreen;
  }
  EXPECT_EQ(black, 20u);
  EXPECT_EQ(green, 1u);
}

}  // namespace
}  // namespace velmar
