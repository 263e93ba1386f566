#pragma once
// The graph read as a chart: a scale for each curve that is on, the dates
// under the red grid lines, and which grid lines a picture shows when the
// steps stand closer than its pixels. All of it lies over the graph's own
// drawing, which stays as it is.
#include <string>
#include <vector>

#include "engine/form.h"
#include "output/graph.h"
#include "views/canvas.h"

namespace velmar {

// Text over a picture: (x, y) in twips, y its baseline; its size is in the
// screen's pixels, whatever the picture's scale.
struct TextOp {
  enum class Align { Left, Centre, Right };
  double x = 0, y = 0;
  std::string text;
  Rgb colour{0, 0, 0};
  Align align = Align::Left;
};

struct GraphOverlay {
  std::vector<DrawOp> lines;  // the axes and their ticks, one pixel wide
  std::vector<TextOp> labels;
};

// The labels' height, pixels.
inline constexpr double kOverlayTextPixels = 11;

// The overlay for a picture `width` x `height` twips shown at `pxPerTwipX`
// and `pxPerTwipY` pixels per twip: an axis for each ticked curve with its
// unit and round values at least two lines apart (the distances on the
// left, the fraction and the latitude on the right), and the date, with
// the time when the run's steps fall at different times of day, under the
// red grid lines of the latest run that have room for it.
GraphOverlay graphAxes(const Graph& graph, const FormModel& form, double width, double height,
                       double pxPerTwipX, double pxPerTwipY);

// The overlay as SVG elements, for the end of the graph's SVG document
// (15 twips to the document's pixel). `backed`: each label stands on a
// panel (labelPanelColour), so that a dense run's curves, of its own colour too, do not
// swallow it (the window's picture and what it saves).
std::string overlaySvg(const GraphOverlay& overlay, bool backed = false);

// A label's width in pixels at kOverlayTextPixels, as near as a file that
// does not know its reader's font can say: half-width characters 0.6 of the
// height, others the full height.
double labelWidthPixels(const std::string& text);

// The panel and halo under a label: white, or dark grey under letters too
// light to read on white (the latitude's cyan).
Rgb labelPanelColour(Rgb text);

// How far the panel under a label reaches beyond the letters, pixels.
inline constexpr double kLabelPanelMargin = 2;

// Of every tenth red grid line the graph draws, how many make one that is
// shown: 1 while the steps are a pixel or more apart; otherwise 10, or 100
// and so on while the kept ones would stand closer than 3 pixels.
long long redLinesPerShown(double stepTwips, double pxPerTwip);

// Which grid lines a picture shows at `pxPerTwip` pixels per twip, fed
// with the graph's drawing in order: the red ones of redLinesPerShown, the
// grey ones at least 3 pixels from the last line shown. The middle line and
// the curves are always shown.
class GridThinning {
 public:
  explicit GridThinning(double pxPerTwip) : px_(pxPerTwip) {}
  bool keep(const DrawOp& op);
  // The steps seen last stand closer than a pixel.
  bool dense() const { return step_ * px_ < 1 && step_ > 0; }
  static bool isGridLine(const DrawOp& op);

 private:
  double px_;
  bool seen_ = false;
  double prevX_ = 0;      // twips, the last grid line drawn
  double step_ = 0;       // twips between the last two
  double lastShown_ = 0;  // pixels
  bool shownAny_ = false;
  long long reds_ = 0;  // red lines of this run
};

// What the pointer resting on a step is told: the step's date and time, then
// the four values in the legend's order with their units, a line each.
std::string graphPointText(const GraphPoint& p);

}  // namespace velmar
