#include "views/qt/qt_canvas.h"

#include <QPainterPath>
#include <cmath>

namespace velmar {

double pixelsPerTwip(const QPaintDevice& d) { return d.logicalDpiX() / 1440.0; }

void QtCanvas::fill(const Shape& s) {
  const QColor c(s.color.r, s.color.g, s.color.b);
  p_.setPen(QPen(c, 1));
  p_.setBrush(c);
  const QPointF centre(s.cx * scale_, s.cy * scale_);
  const double rx = s.rx * scale_;
  const double ry = s.ry * scale_;
  if (s.kind == Shape::Kind::Ellipse) {
    p_.drawEllipse(centre, rx, ry);
    return;
  }
  // Qt counts angles in 1/16 degree, counter-clockwise from 3 o'clock, as
  // the sectors do.
  double span = s.a1 - s.a0;
  if (span <= 0) span += 2 * M_PI;
  const QRectF box(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
  p_.drawPie(box, static_cast<int>(std::lround(s.a0 * 180 / M_PI * 16)),
             static_cast<int>(std::lround(span * 180 / M_PI * 16)));
}

}  // namespace velmar
