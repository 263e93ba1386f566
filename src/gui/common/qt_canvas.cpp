#include "gui/common/qt_canvas.h"

#include <QPaintEvent>
#include <QResizeEvent>
#include <cmath>

#include "astro/constants.h"

namespace velmar {

namespace {

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

void QtCanvas::draw(const DrawOp& op) {
  const QColor c = colour(op.color);
  const QPointF centre(twips_.toPixels(op.x), twips_.toPixels(op.y));
  const double rx = twips_.toPixels(op.rx);
  const double ry = twips_.toPixels(op.ry);
  switch (op.kind) {
    case DrawOp::Kind::Clear: {
      // In device pixels, so that it covers the whole surface whatever the
      // scaling; what lies beyond the device is clipped.
      const QPaintDevice* d = p_.device();
      p_.save();
      p_.resetTransform();
      p_.fillRect(QRectF(QPointF(0, 0), QSizeF(d->width(), d->height()) * d->devicePixelRatioF()),
                  c);
      p_.restore();
      return;
    }
    case DrawOp::Kind::Disk:
    case DrawOp::Kind::Ellipse:
      p_.setPen(QPen(c, 1));
      p_.setBrush(c);
      p_.drawEllipse(centre, rx, ry);
      return;
    case DrawOp::Kind::Circle:
      p_.setPen(QPen(c, op.width));
      p_.setBrush(Qt::NoBrush);
      p_.drawEllipse(centre, rx, ry);
      return;
    case DrawOp::Kind::Line:
      p_.setPen(QPen(c, op.width));
      p_.drawLine(centre, QPointF(twips_.toPixels(op.x2), twips_.toPixels(op.y2)));
      return;
    case DrawOp::Kind::Sector: {
      p_.setPen(QPen(c, 1));
      p_.setBrush(c);
      // Qt counts angles in 1/16 degree, counter-clockwise from 3 o'clock,
      // as the sectors do.
      double span = op.a1 - op.a0;
      if (span <= 0) span += 2 * kPi;
      const QRectF box(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
      p_.drawPie(box, static_cast<int>(std::lround(op.a0 * 180 / kPi * 16)),
                 static_cast<int>(std::lround(span * 180 / kPi * 16)));
      return;
    }
  }
}

RetainedPicture::RetainedPicture(Rgb background, QWidget* parent)
    : QWidget(parent), background_(colour(background)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

double RetainedPicture::widthTwips() const { return Twips::of(*this).toTwips(width()); }
double RetainedPicture::heightTwips() const { return Twips::of(*this).toTwips(height()); }

void RetainedPicture::ensureImage() {
  const qreal dpr = devicePixelRatioF();
  const QSize want = size() * dpr;
  if (!image_.isNull() && image_.width() >= want.width() && image_.height() >= want.height())
    return;
  // Grows only: what was drawn stays, a larger window shows more background.
  QImage bigger(want.expandedTo(image_.size()), QImage::Format_RGB32);
  bigger.setDevicePixelRatio(dpr);
  bigger.fill(background_);
  if (!image_.isNull()) {
    QPainter p(&bigger);
    p.drawImage(QPoint(0, 0), image_);
  }
  image_ = bigger;
}

void RetainedPicture::draw(const DrawOp& op) {
  ensureImage();
  QPainter p(&image_);
  p.setRenderHint(QPainter::Antialiasing);
  QtCanvas canvas(p, Twips::of(*this));
  canvas.draw(op);
  update();
}

void RetainedPicture::drawAll(const std::vector<DrawOp>& ops) {
  ensureImage();
  {
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    QtCanvas canvas(p, Twips::of(*this));
    paint(canvas, ops);
  }
  update();
}

void RetainedPicture::paintEvent(QPaintEvent* e) {
  ensureImage();
  QPainter p(this);
  p.drawImage(e->rect(), image_,
              QRectF(QPointF(e->rect().topLeft()) * devicePixelRatioF(),
                     QSizeF(e->rect().size()) * devicePixelRatioF()));
}

void RetainedPicture::resizeEvent(QResizeEvent* e) {
  ensureImage();
  QWidget::resizeEvent(e);
}

}  // namespace velmar
