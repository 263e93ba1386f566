#include "output/graph_thinning.h"

#include <algorithm>
#include <cmath>

namespace velmar {

namespace {

struct Point {
  double x = 0, y = 0;
};

// One curve being followed: its kept points so far and the column it is in.
struct Curve {
  Rgb colour;
  int width = 1;
  std::vector<Point> kept;
  bool open = false;
  Point last;  // where the curve stands now
  long column = 0;
  // The column's points: its first, lowest, highest and last, each with its
  // place in the curve so that they are kept in order.
  struct Indexed {
    Point p;
    long i = 0;
  };
  Indexed first, low, high, end;
  long count = 0;  // points of the curve so far
};

long columnOf(double x, double px) { return static_cast<long>(std::floor(x * px)); }

void closeColumn(Curve& c) {
  Curve::Indexed in[4] = {c.first, c.low, c.high, c.end};
  std::sort(in, in + 4, [](const Curve::Indexed& a, const Curve::Indexed& b) { return a.i < b.i; });
  for (int k = 0; k < 4; ++k)
    if (k == 0 || in[k].i != in[k - 1].i) c.kept.push_back(in[k].p);
}

void startColumn(Curve& c, Point p, double px) {
  c.column = columnOf(p.x, px);
  c.first = c.low = c.high = c.end = {p, c.count++};
}

void addPoint(Curve& c, Point p, double px) {
  if (columnOf(p.x, px) != c.column) {
    closeColumn(c);
    startColumn(c, p, px);
    return;
  }
  const Curve::Indexed here{p, c.count++};
  if (p.y < c.low.p.y) c.low = here;
  if (p.y > c.high.p.y) c.high = here;
  c.end = here;
}

void finish(Curve& c, std::vector<DrawOp>& out) {
  if (!c.open) return;
  closeColumn(c);
  for (size_t k = 1; k < c.kept.size(); ++k)
    out.push_back(DrawOp::line(c.kept[k - 1].x, c.kept[k - 1].y, c.kept[k].x, c.kept[k].y, c.colour,
                               c.width));
  c.kept.clear();
  c.open = false;
  c.count = 0;
}

}  // namespace

std::vector<DrawOp> thinToPixels(const std::vector<DrawOp>& ops, double pxPerTwipX) {
  std::vector<DrawOp> others;
  std::vector<DrawOp> curvesOut;
  std::vector<Curve> curves;
  for (const DrawOp& op : ops) {
    if (op.kind != DrawOp::Kind::Line) {
      others.push_back(op);
      continue;
    }
    auto c = std::find_if(curves.begin(), curves.end(), [&op](const Curve& k) {
      return k.colour == op.color && k.width == op.width;
    });
    if (c == curves.end()) {
      curves.push_back({op.color, op.width, {}, false, {}, 0, {}, {}, {}, {}, 0});
      c = curves.end() - 1;
    }
    const Point from{op.x, op.y};
    const Point to{op.x2, op.y2};
    if (c->open && (c->last.x != from.x || c->last.y != from.y)) finish(*c, curvesOut);
    if (!c->open) {
      c->open = true;
      startColumn(*c, from, pxPerTwipX);
    }
    addPoint(*c, to, pxPerTwipX);
    c->last = to;
  }
  for (Curve& c : curves) finish(c, curvesOut);
  others.insert(others.end(), curvesOut.begin(), curvesOut.end());
  return others;
}

}  // namespace velmar
