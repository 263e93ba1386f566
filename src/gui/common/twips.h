#pragma once
// Twips (1/1440 inch) and pixels: the one place where they are converted,
// at the logical resolution of the device or screen in question.
#include <QPaintDevice>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace velmar {

class Twips {
 public:
  explicit Twips(double pixelsPerTwip) : scale_(pixelsPerTwip) {}
  static Twips of(const QPaintDevice& d) { return Twips(d.logicalDpiX() / 1440.0); }
  static Twips of(const QScreen* s);
  // The screen the widget is on, or the primary screen.
  static Twips of(const QWidget* w);

  double pixelsPerTwip() const { return scale_; }
  double toPixels(double twips) const { return twips * scale_; }
  int toWholePixels(double twips) const;
  double toTwips(double pixels) const { return pixels / scale_; }
  QSize toPixels(double widthTwips, double heightTwips) const;

 private:
  double scale_;
};

// The available area of a screen, in twips.
struct ScreenTwips {
  float width;
  float height;
};
ScreenTwips screenTwips(const QScreen* s);

}  // namespace velmar
