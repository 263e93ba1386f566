#pragma once
// A Canvas on a QPainter: twips in, device pixels out.
#include <QPainter>

#include "views/canvas.h"

namespace velmar {

class QtCanvas : public Canvas {
 public:
  // `pixelsPerTwip` is the device's logical DPI / 1440.
  QtCanvas(QPainter& p, double pixelsPerTwip) : p_(p), scale_(pixelsPerTwip) {}
  void fill(const Shape& s) override;

 private:
  QPainter& p_;
  double scale_;
};

// Twips of a widget's size on its screen.
double pixelsPerTwip(const QPaintDevice& d);

}  // namespace velmar
