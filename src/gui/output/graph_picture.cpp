#include "gui/output/graph_picture.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "gui/common/twips.h"
#include "output/graph.h"
#include "output/graph_axes.h"
#include "output/graph_thinning.h"
#include "views/svg.h"

namespace velmar {

namespace {

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }

// How near the pointer must come to a step to pick it, pixels.
constexpr double kPickPixels = 8;

}  // namespace

GraphPicture::GraphPicture(MainForm& main, QWidget* parent) : QWidget(parent), main_(main) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(160, 90);
}

QSize GraphPicture::designSize() const {
  return Twips::of(this).toPixels(kGraphWidth, kGraphHeight);
}

QSize GraphPicture::sizeHint() const { return designSize(); }

// The drawing keeps its own size while the picture is near it (within a
// sixteenth), so that at the window's design size every line falls on the
// pixel the design gives it; beyond, it follows the picture in steps of a
// sixteenth.
double GraphPicture::scaleOf(double pixels, double designPixels) const {
  const double r = pixels / designPixels;
  return std::max(0.25, std::floor(r * 16) / 16);
}

double GraphPicture::pixelsPerTwipX() const { return pxX_; }
double GraphPicture::pixelsPerTwipY() const { return pxY_; }

void GraphPicture::draw(const DrawOp& op) {
  if (op.kind == DrawOp::Kind::Clear) {
    std::deque<Stroke>().swap(strokes_);
    cleared_ = true;
    painted_ = 0;
    image_ = QImage();  // painted anew, white
  } else if (op.kind == DrawOp::Kind::Line) {
    strokes_.push_back({op.x, op.y, op.x2, op.y2, op.color, static_cast<uint8_t>(op.width)});
  }
  // Asked once until the next paint: a batch draws hundreds of thousands
  // of lines between two paints.
  if (!updateAsked_) {
    updateAsked_ = true;
    update();
  }
}

void GraphPicture::ensureImage() {
  // A picture never shown keeps the design size: the drawing is there all
  // the same when the window is first opened.
  const QSize design = designSize();
  const QSize shown = isVisible() ? size() : design;
  const double perTwip = Twips::of(this).pixelsPerTwip();
  const double pxX = perTwip * scaleOf(shown.width(), design.width());
  const double pxY = perTwip * scaleOf(shown.height(), design.height());
  const qreal dpr = devicePixelRatioF();
  if (!image_.isNull() && image_.size() == shown * dpr && pxX == pxX_ && pxY == pxY_) return;
  pxX_ = pxX;
  pxY_ = pxY;
  image_ = QImage(shown * dpr, QImage::Format_RGB32);
  image_.setDevicePixelRatio(dpr);
  image_.fill(Qt::white);
  painted_ = 0;
  thinning_ = GridThinning(pxX_);
}

void GraphPicture::paintPending() {
  ensureImage();
  if (painted_ >= strokes_.size()) return;
  QPainter p(&image_);
  p.setRenderHint(QPainter::Antialiasing);
  auto at = [this](double x, double y) { return QPointF(x * pxX_, y * pxY_); };
  // Steps closer than a pixel: the grid lines shown first, then each
  // curve's segments joined into one line, which draws many times faster
  // than segment by segment and looks the same at that density.
  struct Curve {
    Rgb colour;
    int width;
    QPolygonF points;
  };
  std::vector<Curve> curves;
  auto flush = [&p](Curve& c) {
    if (c.points.size() < 2) return;
    p.setPen(QPen(colour(c.colour), c.width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    p.drawPolyline(c.points);
    c.points.clear();
  };
  auto paint = [&](const DrawOp& op) {
    if (thinning_.dense() && !GridThinning::isGridLine(op)) {
      auto c = std::find_if(curves.begin(), curves.end(), [&op](const Curve& k) {
        return k.colour == op.color && k.width == op.width;
      });
      if (c == curves.end()) {
        curves.push_back({op.color, op.width, {}});
        c = curves.end() - 1;
      }
      if (!c->points.isEmpty() && c->points.last() != at(op.x, op.y)) flush(*c);
      if (c->points.isEmpty()) c->points << at(op.x, op.y);
      c->points << at(op.x2, op.y2);
      return;
    }
    p.setPen(QPen(colour(op.color), op.width));
    p.drawLine(at(op.x, op.y), at(op.x2, op.y2));
  };
  // The whole drawing again (a resize, a new scale) of a long run: each
  // curve thinned to the pixels it covers first, so that the new picture
  // comes at once rather than after seconds of the old one. Thinned in
  // parts, to keep the memory small; a curve breaks only between them.
  constexpr size_t kPart = 65536;
  const bool whole = painted_ == 0 && strokes_.size() > 4 * static_cast<size_t>(image_.width());
  // Thinned, a curve runs up and down within each pixel column: drawn as
  // one line its every turn would be a join to work out, as separate
  // lines of each colour it is drawn at once.
  std::vector<DrawOp> part;
  std::vector<std::pair<DrawOp, QList<QLineF>>> thinned;
  auto thin = [&] {
    for (const DrawOp& t : thinToPixels(part, pxX_)) {
      if (GridThinning::isGridLine(t)) {
        paint(t);
        continue;
      }
      auto c = std::find_if(thinned.begin(), thinned.end(), [&t](const auto& k) {
        return k.first.color == t.color && k.first.width == t.width;
      });
      if (c == thinned.end()) {
        thinned.push_back({t, {}});
        c = thinned.end() - 1;
      }
      c->second.append(QLineF(at(t.x, t.y), at(t.x2, t.y2)));
    }
    part.clear();
  };
  for (size_t i = painted_; i < strokes_.size(); ++i) {
    const Stroke& s = strokes_[i];
    const DrawOp op = DrawOp::line(s.x1, s.y1, s.x2, s.y2, s.colour, s.width);
    if (!thinning_.keep(op)) continue;
    if (!whole) {
      paint(op);
      continue;
    }
    part.push_back(op);
    if (part.size() == kPart) thin();
  }
  if (!part.empty()) thin();
  for (const auto& [style, lines] : thinned) {
    p.setPen(QPen(colour(style.color), style.width, Qt::SolidLine, Qt::FlatCap));
    p.drawLines(lines);
  }
  for (Curve& c : curves) flush(c);
  painted_ = strokes_.size();
}

const QImage& GraphPicture::image() {
  paintPending();
  return image_;
}

void GraphPicture::paintOverlay(QPainter& p) const {
  const GraphOverlay o =
      graphAxes(main_.outputs().graph(), main_.form(), kGraphWidth, kGraphHeight, pxX_, pxY_);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const DrawOp& l : o.lines) {
    p.setPen(QPen(colour(l.color), 1));
    p.drawLine(QPointF(l.x * pxX_, l.y * pxY_), QPointF(l.x2 * pxX_, l.y2 * pxY_));
  }
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = font();
  f.setPixelSize(static_cast<int>(kOverlayTextPixels));
  p.setFont(f);
  const QFontMetricsF m(f);
  for (const TextOp& t : o.labels) {
    const QString text = QString::fromStdString(t.text);
    const double w = m.horizontalAdvance(text);
    double x = t.x * pxX_;
    if (t.align == TextOp::Align::Right) x -= w;
    if (t.align == TextOp::Align::Centre) x -= w / 2;
    const QPointF at(x, t.y * pxY_);
    // A panel under each label: in a dense run the curves, of the label's
    // own colour too, would swallow the letters and their halo.
    QColor panel = colour(labelPanelColour(t.colour));
    panel.setAlpha(217);
    p.fillRect(QRectF(x - kLabelPanelMargin, at.y() - m.ascent() - kLabelPanelMargin,
                      w + 2 * kLabelPanelMargin, m.ascent() + m.descent() + 2 * kLabelPanelMargin),
               panel);
    // A halo under the letters keeps them readable over the curves.
    QPainterPath path;
    path.addText(at, f, text);
    p.strokePath(path, QPen(colour(labelPanelColour(t.colour)), 3, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
    p.fillPath(path, colour(t.colour));
  }
}

void GraphPicture::paintCrosshair(QPainter& p) const {
  if (!hovered_) return;
  const std::vector<GraphPoint>& points = main_.outputs().graph().points();
  if (*hovered_ >= points.size()) return;
  const GraphPoint& pt = points[*hovered_];
  const double x = pt.x * pxX_;
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(64, 64, 64), 1, Qt::DashLine));
  p.drawLine(QPointF(x, 0), QPointF(x, height()));
  p.drawLine(QPointF(0, pointerY_), QPointF(width(), pointerY_));
  p.setRenderHint(QPainter::Antialiasing);
  for (size_t i = 0; i < graphSeries().size(); ++i) {
    const GraphSeries& s = graphSeries()[i];
    if (main_.form().check(s.selector) != 1) continue;
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(colour(s.colour));
    p.drawEllipse(QPointF(x, s.y(pt.values[i]) * pxY_), 3.5, 3.5);
  }
}

void GraphPicture::paintEvent(QPaintEvent*) {
  updateAsked_ = false;
  paintPending();
  QPainter p(this);
  p.drawImage(QPointF(0, 0), image_);
  paintOverlay(p);
  paintCrosshair(p);
}

QImage GraphPicture::pixels() {
  paintPending();
  QImage out = image_.copy();
  QPainter p(&out);
  paintOverlay(p);
  return out;
}

std::string GraphPicture::svg() {
  // What the window shows, as the PNG does: the picture's size, the drawing
  // at the picture's scale with the grid lines it shows, the curves thinned
  // to the pixels they cover, and the picture's own scales and dates. The
  // document counts 15 units to its pixel, as velmar-cli's does.
  ensureImage();
  constexpr double kUnitsPerPixel = 15;
  const QSize shown = image_.size() / image_.devicePixelRatio();
  const double sx = pxX_ * kUnitsPerPixel;
  const double sy = pxY_ * kUnitsPerPixel;
  std::vector<DrawOp> ops;
  ops.reserve(strokes_.size() + 1);
  if (cleared_) ops.push_back(DrawOp::clear(palette::kWhite));
  GridThinning grid(pxX_);
  for (const Stroke& s : strokes_) {
    const DrawOp op = DrawOp::line(s.x1, s.y1, s.x2, s.y2, s.colour, s.width);
    if (!grid.keep(op)) continue;
    ops.push_back(DrawOp::line(s.x1 * sx, s.y1 * sy, s.x2 * sx, s.y2 * sy, s.colour, s.width));
  }
  const Graph& graph = main_.outputs().graph();
  GraphOverlay overlay = graphAxes(graph, main_.form(), kGraphWidth, kGraphHeight, pxX_, pxY_);
  for (DrawOp& l : overlay.lines) {
    l.x *= sx;
    l.x2 *= sx;
    l.y *= sy;
    l.y2 *= sy;
  }
  for (TextOp& t : overlay.labels) {
    t.x *= sx;
    t.y *= sy;
  }
  return toSvg(shown.width() * kUnitsPerPixel, shown.height() * kUnitsPerPixel, graph.title(),
               thinToPixels(ops, 1 / kUnitsPerPixel), overlaySvg(overlay, true));
}

void GraphPicture::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  update();
}

void GraphPicture::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  update();
}

std::optional<size_t> GraphPicture::stepAt(double x) const {
  const Graph& graph = main_.outputs().graph();
  const std::vector<GraphPoint>& points = graph.points();
  const size_t from = graph.lastRunStart();
  if (from >= points.size() || pxX_ <= 0) return std::nullopt;
  // The latest run's steps stand left to right.
  const double twips = x / pxX_;
  auto it = std::lower_bound(points.begin() + static_cast<std::ptrdiff_t>(from), points.end(),
                             twips, [](const GraphPoint& p, double t) { return p.x < t; });
  std::optional<size_t> best;
  double bestDistance = kPickPixels;
  for (auto c : {it, it == points.begin() + static_cast<std::ptrdiff_t>(from) ? it : it - 1}) {
    if (c == points.end()) continue;
    const double d = std::fabs(c->x * pxX_ - x);
    if (d <= bestDistance) {
      bestDistance = d;
      best = static_cast<size_t>(c - points.begin());
    }
  }
  return best;
}

QString GraphPicture::tooltipOf(size_t step) const {
  return QString::fromStdString(graphPointText(main_.outputs().graph().points()[step]));
}

void GraphPicture::mouseMoveEvent(QMouseEvent* e) {
  const QPointF at = e->position();
  const std::optional<size_t> step = stepAt(at.x());
  pointerY_ = at.y();
  if (step != hovered_ || step) update();
  hovered_ = step;
  if (step) {
    QToolTip::showText(e->globalPosition().toPoint(), tooltipOf(*step), this);
  } else {
    QToolTip::hideText();
  }
}

void GraphPicture::leaveEvent(QEvent*) {
  // The tooltip's own window coming up under the pointer is no leaving.
  if (rect().contains(mapFromGlobal(QCursor::pos()))) return;
  if (hovered_) update();
  hovered_.reset();
  QToolTip::hideText();
}

void GraphPicture::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  const std::optional<size_t> step = stepAt(e->position().x());
  if (!step) return;
  main_.showInstant(Graph::instantOf(main_.outputs().graph().points()[*step]));
}

}  // namespace velmar
