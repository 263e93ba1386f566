#include "output/graph.h"

#include "astro/constants.h"
#include "engine/calculator.h"
#include "engine/numtext.h"
#include "stepping/continuous.h"

namespace velmar {

namespace {

// Heights in twips, each expression as the curve's scale is defined:
// k 0.1 per 400 twips, r 0.01 AU per 1000, d 25000 km per 2000, beta 1
// degree per 400, all about the zero level at 2202.
double yIllumination(double k) { return 2202 - (k - 0.5) * 4000; }
double ySunDistance(double r) { return 2202 - (r - 1) * 50 * 2000; }
double yMoonDistance(double d) { return 2202 - (d - kMeanLunarDistance) / 25000 * 2000; }
double yLatitude(double beta) { return 2202 - beta / 10 * 4000; }

}  // namespace

const std::array<GraphSeries, 4>& graphSeries() {
  static const std::array<GraphSeries, 4> series = {{
      {Check::GraphIllumination, Field::Illumination, palette::kGreen, yIllumination},
      {Check::GraphSun, Field::SunDistance, palette::kMagenta, ySunDistance},
      {Check::GraphMoon, Field::MoonDistance, palette::kBlue, yMoonDistance},
      {Check::GraphLatitude, Field::MoonLatitude, palette::kCyan, yLatitude},
  }};
  return series;
}

InstantTexts Graph::instantOf(const GraphPoint& p) {
  InstantTexts t;
  for (size_t i = 0; i < t.size(); ++i) t[i] = formatPlain(p.instant[i]);
  return t;
}

void Graph::attach(Canvas* picture, double width, double height) {
  picture_ = picture;
  width_ = width;
  height_ = height;
  if (picture_) picture_->draw(DrawOp::line(0, height_ / 2, width_, height_ / 2, palette::kRed));
}

void Graph::detach(Canvas* picture) {
  if (picture_ == picture) picture_ = nullptr;
}

void Graph::load() {
  if (!picture_ && loadWindow) loadWindow();
}

void Graph::draw(const DrawOp& op) {
  load();
  if (picture_) picture_->draw(op);
}

void Graph::restart() {
  state_.graphIndex = 0;
  state_.graphCount = 0;
}

void Graph::graphadd() {
  load();
  const std::string title = std::string(kGraphTitle) + " " + instantTitle(form_);
  if (title != title_) {
    title_ = title;
    titleChanged_();
  }
  ++state_.graphCount;
  const double n = loopCount(form_);
  const double step = kGraphSpan / (n - 1);
  const double x = step * state_.graphIndex;
  draw(DrawOp::line(x, 0, x, height_, state_.graphCount % 10 == 0 ? palette::kRed : kGridGrey));
  GraphPoint point;
  point.x = x;
  point.red = state_.graphCount % 10 == 0;
  for (size_t i = 0; i < kInstantFields.size(); ++i)
    point.instant[i] = enteredValue(result_, kInstantFields[i]);
  for (size_t i = 0; i < graphSeries().size(); ++i)
    point.values[i] = shownValue(result_, graphSeries()[i].field);
  if (keepPoints) {
    if (state_.graphIndex == 0) lastRunStart_ = points_.size();
    points_.push_back(point);
  }
  const double xPrev = step * (state_.graphIndex - 1);
  for (size_t i = 0; i < graphSeries().size(); ++i) {
    const GraphSeries& s = graphSeries()[i];
    if (form_.check(s.selector) != 1) continue;
    const double v = shownValue(result_, s.field);
    draw(DrawOp::line(xPrev, s.y(state_.graphPrev[i]), x, s.y(v), s.colour, 2));
    state_.graphPrev[i] = v;
  }
  ++state_.graphIndex;
  if (state_.graphIndex == n) {
    form_.setCheck(Check::GraphOutput, 0);
    restart();
  }
  loop_.stopUnlessRecording();
}

void Graph::graphclear() {
  draw(DrawOp::clear(palette::kWhite));
  draw(DrawOp::line(0, height_ / 2, width_, height_ / 2, palette::kRed));
  restart();
  // The memory goes back too: a cleared graph after a long run is small.
  std::vector<GraphPoint>().swap(points_);
  lastRunStart_ = 0;
}

void Graph::switched() {
  if (form_.check(Check::GraphOutput) != 1) return;
  restart();
  graphadd();
}

void Graph::seriesClicked() { load(); }

void Graph::clearAndAdd() {
  graphclear();
  restart();
  if (form_.check(Check::GraphOutput) == 1) graphadd();
}

void Graph::clearAndStart() {
  graphclear();
  loop_.recordIfAsked();
  restart();
  if (form_.check(Check::GraphOutput) == 1) graphadd();
  // Ticking it plots the first point when it was not ticked before: one
  // first point either way.
  form_.setCheck(Check::GraphOutput, 1);
  loop_.resume();
}

void Graph::start() {
  loop_.recordIfAsked();
  form_.setCheck(Check::GraphOutput, 1);
  loop_.resume();
}

void Graph::windowClosed() {
  form_.setCheck(Check::GraphOutput, 0);
  restart();
}

}  // namespace velmar
