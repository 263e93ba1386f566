#include "gui/common/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace velmar {

Twips Twips::of(const QScreen* s) {
  if (!s) s = QGuiApplication::primaryScreen();
  return Twips(s ? s->logicalDotsPerInch() / 1440.0 : 96.0 / 1440.0);
}

Twips Twips::of(const QWidget* w) { return of(w && w->screen() ? w->screen() : nullptr); }

int Twips::toWholePixels(double twips) const {
  return static_cast<int>(std::lround(twips * scale_));
}

QSize Twips::toPixels(double widthTwips, double heightTwips) const {
  return {toWholePixels(widthTwips), toWholePixels(heightTwips)};
}

ScreenTwips screenTwips(const QScreen* s) {
  if (!s) s = QGuiApplication::primaryScreen();
  const Twips t = Twips::of(s);
  const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1280, 800);
  return {static_cast<float>(t.toTwips(area.width())),
          static_cast<float>(t.toTwips(area.height()))};
}

}  // namespace velmar
