#include "output/graph_axes.h"

#include <cmath>
#include <cstdio>

#include "engine/numtext.h"
#include "views/svg.h"

namespace velmar {

namespace {

constexpr double kTick = 4;          // pixels
constexpr double kGap = 3;           // pixels between a label and its tick
constexpr double kMinSpacing = 2.2;  // lines of text between two values
constexpr double kShownApart = 3;    // pixels between grid lines shown
constexpr Rgb kHalo = palette::kWhite;

// A label's width in pixels, near enough to keep labels apart: a Latin
// character about 0.6 of the height, any other a full square.
double textWidth(const std::string& s) {
  double w = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      w += 0.6;
    } else if (c >= 0xC0) {
      w += (c >= 0xE0) ? 1.0 : 0.6;  // two-byte sequences are Latin letters and signs
    }
  }
  return w * kOverlayTextPixels;
}

// Each curve's axis: what it shows, its unit, where its picture puts it.
struct AxisStyle {
  const char* unit;
  const char* suffix;  // after each value
  bool left;           // the distances on the left, the others on the right
};
// In the curves' plotting order: fraction, Sun, Moon, latitude.
constexpr AxisStyle kAxes[4] = {
    {"輝面比", "", false},
    {"太陽 AU", "", true},
    {"月 km", "", true},
    {"黄緯", "°", false},
};

// Round steps: 1, 2, 2.5 and 5 times a power of ten.
double roundStep(double atLeast) {
  const double p = std::pow(10.0, std::floor(std::log10(atLeast)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (m * p >= atLeast) return m * p;
  return 10 * p;
}

int decimalsFor(double step) {
  int d = 0;
  while (d < 9 && std::fabs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) > 1e-9)
    ++d;
  return d;
}

std::string numberText(double v, int decimals, const char* suffix) {
  if (std::fabs(v) < 1e-12) v = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f%s", decimals, v, suffix);
  return buf;
}

}  // namespace

long long redLinesPerShown(double stepTwips, double pxPerTwip) {
  if (!(stepTwips * pxPerTwip < 1)) return 1;
  long long every = 10;
  while (every < 1000000000000LL && every * 10 * stepTwips * pxPerTwip < kShownApart) every *= 10;
  return every;
}

bool GridThinning::isGridLine(const DrawOp& op) {
  return op.kind == DrawOp::Kind::Line && op.width == 1 && op.x == op.x2 && op.y != op.y2 &&
         (op.color == palette::kRed || op.color == kGridGrey);
}

bool GridThinning::keep(const DrawOp& op) {
  if (!isGridLine(op)) return true;
  const bool red = op.color == palette::kRed;
  if (seen_ && op.x <= prevX_) {
    // A new run from the left edge.
    reds_ = 0;
    shownAny_ = false;
  } else if (seen_) {
    step_ = op.x - prevX_;
  }
  const bool first = !seen_ || op.x <= prevX_;
  seen_ = true;
  prevX_ = op.x;
  if (red) ++reds_;
  const double at = op.x * px_;
  bool shown;
  if (first) {
    shown = true;
  } else if (red) {
    shown = reds_ % redLinesPerShown(step_, px_) == 0;
  } else {
    shown = !shownAny_ || std::fabs(at - lastShown_) >= kShownApart;
  }
  if (shown) {
    lastShown_ = at;
    shownAny_ = true;
  }
  return shown;
}

GraphOverlay graphAxes(const Graph& graph, const FormModel& form, double width, double height,
                       double pxX, double pxY) {
  GraphOverlay o;
  const double line = kOverlayTextPixels / pxY;  // a line of text, twips
  // The distances' axes from the left edge inwards, the others from the
  // right edge inwards.
  double leftAt = 0, rightAt = width;
  for (size_t i = 0; i < graphSeries().size(); ++i) {
    const GraphSeries& s = graphSeries()[i];
    if (form.check(s.selector) != 1) continue;
    const AxisStyle& style = kAxes[i];
    // The curve's scale is a straight line: its height for 0 and for 1.
    const double y0 = s.y(0);
    const double slope = s.y(1) - y0;  // twips per unit
    const double vTop = (0 - y0) / slope, vBottom = (height - y0) / slope;
    const double lo = std::fmin(vTop, vBottom), hi = std::fmax(vTop, vBottom);
    const double step = roundStep(kMinSpacing * kOverlayTextPixels / (std::fabs(slope) * pxY));
    const int decimals = decimalsFor(step);
    struct Value {
      double y;
      std::string text;
    };
    std::vector<Value> values;
    double widest = textWidth(style.unit);
    // A value of k steps, as near to its decimal text as a double gets.
    const double perUnit = step < 1 ? std::round(1 / step) : 0;
    auto valueAt = [&](double k) { return step < 1 ? k / perUnit : k * step; };
    for (double k = std::ceil(lo / step); valueAt(k) <= hi; k += 1) {
      const double v = valueAt(k);
      const double y = s.y(v);
      // Below the unit's caption and above the band of the dates.
      if (y < 1.6 * line || y > height - 2.6 * line) continue;
      values.push_back({y, numberText(v, decimals, style.suffix)});
      widest = std::fmax(widest, textWidth(values.back().text));
    }
    const double columnPx = widest + kGap + kTick + 2;
    const double axisX =
        style.left ? leftAt + (columnPx - 1) / pxX : rightAt - (columnPx - 1) / pxX;
    const double inward = style.left ? -1 : 1;  // from the axis towards its labels
    o.lines.push_back(DrawOp::line(axisX, 0, axisX, height, s.colour));
    for (const Value& v : values) {
      o.lines.push_back(DrawOp::line(axisX, v.y, axisX + inward * kTick / pxX, v.y, s.colour));
      o.labels.push_back({axisX + inward * (kTick + kGap) / pxX, v.y + 0.35 * line, v.text,
                          s.colour, style.left ? TextOp::Align::Right : TextOp::Align::Left});
    }
    o.labels.push_back({axisX + inward * (columnPx - 1) / pxX / 2, line, style.unit, s.colour,
                        TextOp::Align::Centre});
    if (style.left) {
      leftAt = axisX + 4 / pxX;
    } else {
      rightAt = axisX - 4 / pxX;
    }
  }

  // The dates under the red lines of the latest run.
  const std::vector<GraphPoint>& points = graph.points();
  const size_t from = graph.lastRunStart();
  if (from >= points.size()) return o;
  bool timeVaries = false, seconds = false;
  for (size_t i = from; i < points.size(); ++i) {
    const GraphPoint& p = points[i];
    const GraphPoint& q = points[from];
    timeVaries = timeVaries || p.instant[3] != q.instant[3] || p.instant[4] != q.instant[4] ||
                 p.instant[5] != q.instant[5];
    seconds = seconds || p.instant[5] != 0;
  }
  const double stepTwips = points.size() - from > 1 ? points[from + 1].x - points[from].x : 0;
  const long long every = redLinesPerShown(stepTwips, pxX);
  long long reds = 0;
  double lastRight = -1e300;  // pixels
  for (size_t i = from; i < points.size(); ++i) {
    const GraphPoint& p = points[i];
    if (!p.red || ++reds % every != 0) continue;
    const std::string date =
        twoDigits(p.instant[0]) + "/" + twoDigits(p.instant[1]) + "/" + twoDigits(p.instant[2]);
    std::string time = twoDigits(p.instant[3]) + ":" + twoDigits(p.instant[4]);
    if (seconds) time += ":" + twoDigits(p.instant[5]);
    const double half = textWidth(date) / 2;
    const double at = p.x * pxX;
    if (at - half < lastRight + 6 || at - half < 0 || at + half > width * pxX) continue;
    lastRight = at + half;
    const double bottom = height - 0.3 * line;
    if (timeVaries) {
      o.labels.push_back({p.x, bottom - 1.1 * line, date, palette::kRed, TextOp::Align::Centre});
      o.labels.push_back({p.x, bottom, time, palette::kRed, TextOp::Align::Centre});
    } else {
      o.labels.push_back({p.x, bottom, date, palette::kRed, TextOp::Align::Centre});
    }
  }
  return o;
}

double labelWidthPixels(const std::string& text) {
  double em = 0;
  for (unsigned char c : text) {
    if (c < 0x80) {
      em += 0.6;
    } else if (c >= 0xC0) {
      em += c >= 0xE0 ? 1.0 : 0.6;  // a lead byte: one character, wide from U+0800
    }
  }
  return em * kOverlayTextPixels;
}

Rgb labelPanelColour(Rgb text) {
  // Relative luminance, roughly: light letters (cyan, yellow) get the dark panel.
  const double light = 0.2126 * text.r + 0.7152 * text.g + 0.0722 * text.b;
  return light > 0.6 * 255 ? Rgb{64, 64, 64} : kHalo;
}

std::string overlaySvg(const GraphOverlay& overlay, bool backed) {
  constexpr double kTwipsPerPixel = 15;
  std::string s;
  for (const DrawOp& op : overlay.lines) {
    s += "<line x1=\"" + shortestNumber(op.x) + "\" y1=\"" + shortestNumber(op.y) + "\" x2=\"" +
         shortestNumber(op.x2) + "\" y2=\"" + shortestNumber(op.y2) + "\" stroke=\"" +
         colourHex(op.color) + "\" stroke-width=\"" + shortestNumber(kTwipsPerPixel) + "\"/>\n";
  }
  for (const TextOp& t : overlay.labels) {
    const char* anchor = t.align == TextOp::Align::Left    ? "start"
                         : t.align == TextOp::Align::Right ? "end"
                                                           : "middle";
    if (backed) {
      const double w = labelWidthPixels(t.text) * kTwipsPerPixel;
      const double left = t.align == TextOp::Align::Left    ? t.x
                          : t.align == TextOp::Align::Right ? t.x - w
                                                            : t.x - w / 2;
      const double margin = kLabelPanelMargin * kTwipsPerPixel;
      const double ascent = 0.8 * kOverlayTextPixels * kTwipsPerPixel;
      const double descent = 0.25 * kOverlayTextPixels * kTwipsPerPixel;
      s += "<rect x=\"" + shortestNumber(left - margin) + "\" y=\"" +
           shortestNumber(t.y - ascent - margin) + "\" width=\"" + shortestNumber(w + 2 * margin) +
           "\" height=\"" + shortestNumber(ascent + descent + 2 * margin) + "\" fill=\"" +
           colourHex(labelPanelColour(t.colour)) + "\" fill-opacity=\"0.85\"/>\n";
    }
    const Rgb halo = backed ? labelPanelColour(t.colour) : kHalo;
    // A white halo under the letters keeps them readable over the curves.
    s += "<text x=\"" + shortestNumber(t.x) + "\" y=\"" + shortestNumber(t.y) + "\" font-size=\"" +
         shortestNumber(kOverlayTextPixels * kTwipsPerPixel) + "\" text-anchor=\"" + anchor +
         "\" fill=\"" + colourHex(t.colour) + "\" stroke=\"" + colourHex(halo) +
         "\" stroke-width=\"" + shortestNumber(3 * kTwipsPerPixel) +
         "\" paint-order=\"stroke\" font-family=\"sans-serif\">" + svgEscaped(t.text) + "</text>\n";
  }
  return s;
}

std::string graphPointText(const GraphPoint& p) {
  // The curves' names and units, in plotting order, and the legend's order:
  // Sun, Moon, fraction, latitude.
  struct ValueText {
    const char* name;
    int decimals;
    const char* unit;
  };
  static constexpr ValueText kValues[4] = {
      {"輝面比", 12, ""},
      {"太陽の地心距離", 12, " AU"},
      {"月の地心距離", 6, " km"},
      {"月の黄緯", 12, "°"},
  };
  static constexpr int kLegendOrder[4] = {1, 2, 0, 3};
  const auto two = [](double v) { return formatFixed(v, 2, 0, false); };
  std::string text = formatFixed(p.instant[0], 1, 0, false) + "/" + two(p.instant[1]) + "/" +
                     two(p.instant[2]) + " " + two(p.instant[3]) + ":" + two(p.instant[4]) + ":" +
                     two(p.instant[5]);
  for (int i : kLegendOrder) {
    const ValueText& v = kValues[i];
    text += std::string("\n") + v.name + "　" +
            formatFixed(p.values[static_cast<size_t>(i)], 1, v.decimals, false) + v.unit;
  }
  return text;
}

}  // namespace velmar
