#include "gui/views/phase_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/common/qt_canvas.h"
#include "views/phase_disk.h"

namespace velmar {

PhasePicture::PhasePicture(const Calculator& calc, QWidget* parent)
    : QWidget(parent), calc_(calc) {
  setObjectName("phasePicture");
  setFixedSize(132, 132);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PhasePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(kPhaseBackground.r, kPhaseBackground.g, kPhaseBackground.b));
  const Twips twips = Twips::of(*this);
  QtCanvas canvas(p, twips);
  const astro::Reduced& shown =
      step_ ? *step_ : static_cast<const astro::Reduced&>(calc_.result());
  paint(canvas, drawPhase(shown, twips.toTwips(width()), twips.toTwips(height())));
}

void PhasePicture::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && onClick) onClick();
}

void PhasePicture::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

void PhasePicture::enterEvent(QEnterEvent*) {
  if (onHover) onHover();
}

}  // namespace velmar
