#pragma once
// The graph: while "グラフ描画" is ticked every calculation adds one step to
// up to four curves (Sun distance, Moon distance, illuminated fraction,
// Moon latitude) across the graph window's picture. Each step only adds a
// grid line and one segment per curve; the picture keeps what was drawn.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "astro/calculation.h"
#include "engine/form.h"
#include "engine/signal.h"
#include "views/canvas.h"

namespace velmar {

class Continuous;

inline constexpr const char* kGraphTitle = "Velmar - Graph -";
// The picture's drawable size, twips.
inline constexpr double kGraphWidth = 8635;
inline constexpr double kGraphHeight = 4452;
// The x of the last point of a run, twips: the loop count's points spread
// from 0 to here.
inline constexpr double kGraphSpan = 8585;
inline constexpr Rgb kGridGrey{200, 200, 200};

// One curve: the main-window box that selects it, the field it reads, its
// colour and its height in twips for a value. Every curve is 2202 twips
// from the top at its zero level.
struct GraphSeries {
  Check selector;
  Field field;
  Rgb colour;
  double (*y)(double value);
};
// In plotting order: illuminated fraction, Sun distance, Moon distance,
// latitude.
const std::array<GraphSeries, 4>& graphSeries();

struct GraphState {
  int graphIndex = 0;  // of the next point; its x is graphIndex x step
  int graphCount = 0;  // points of this run, the one being plotted included
  // The last value plotted of each curve, in plotting order. Kept across
  // clearing: a curve ticked again continues from where it stopped.
  std::array<double, 4> graphPrev{};
};

// One plotted step, kept so that the picture can be read back: where it
// stands, the instant it was calculated for and the values of the four
// curves as they were displayed, ticked or not.
struct GraphPoint {
  double x = 0;                     // twips
  std::array<double, 4> values{};   // in plotting order
  std::array<double, 6> instant{};  // year, month, day, hour, minute, second
  bool red = false;                 // its grid line is red
};

class Graph {
 public:
  Graph(FormModel& form, const astro::Calculation& result, Continuous& loop)
      : form_(form), result_(result), loop_(loop) {}
  Graph(const Graph&) = delete;
  Graph& operator=(const Graph&) = delete;

  const GraphState& state() const { return state_; }
  // The steps the picture shows, since it was last cleared, in the order
  // they were plotted; a run started without clearing follows the one
  // before. lastRunStart() is the index of the latest run's first point.
  const std::vector<GraphPoint>& points() const { return points_; }
  // Whether points() is kept: a run of a million steps that nobody will
  // point at or label need not hold a hundred bytes a step.
  bool keepPoints = true;
  size_t lastRunStart() const { return lastRunStart_; }
  // The instant of a point as the date and time fields take it.
  static InstantTexts instantOf(const GraphPoint& p);
  // The graph window's title: its name, then the instant of the last point.
  const std::string& title() const { return title_; }
  Signal<>& titleChanged() { return titleChanged_; }

  // The graph window's picture, `width` x `height` twips. Attaching it is
  // the window's loading, which draws the red middle line (without
  // clearing anything).
  void attach(Canvas* picture, double width, double height);
  // The picture is going away.
  void detach(Canvas* picture);
  bool loaded() const { return picture_ != nullptr; }
  // Asked to load the graph window, hidden, when the graph needs its
  // picture and has none. Without one (velmar-cli draws only when asked
  // to) the drawing goes nowhere and the rest happens all the same.
  std::function<void()> loadWindow;

  // Plots the current results as the next point.
  void graphadd();
  // Wipes the picture to white with the red middle line.
  void graphclear();

  // "グラフ描画" has changed: ticked, a run starts at the left edge with
  // the current result as its first point.
  void switched();
  // A series box (graphSunCheck..graphLatitudeCheck) was clicked: the graph window's legend
  // shows it, so the window is loaded.
  void seriesClicked();
  // "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ" and "グラフ消去": cleared, and the current result as
  // first point while "グラフ描画" is ticked.
  void clearAndAdd();
  // "消去・描画": cleared, a first point, "グラフ描画" ticked, the loop
  // running.
  void clearAndStart();
  // "グラフ描画" in the graph window: ticked, the loop running.
  void start();
  // The graph window closes (not when it is only hidden).
  void windowClosed();

 private:
  void load();
  void draw(const DrawOp& op);
  void restart();

  FormModel& form_;
  const astro::Calculation& result_;
  Continuous& loop_;
  GraphState state_;
  std::vector<GraphPoint> points_;
  size_t lastRunStart_ = 0;
  std::string title_ = kGraphTitle;
  Signal<> titleChanged_;
  Canvas* picture_ = nullptr;
  double width_ = kGraphWidth;
  double height_ = kGraphHeight;
};

}  // namespace velmar
