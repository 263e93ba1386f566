#pragma once
// A Canvas on a QPainter: twips in, device pixels out, antialiased.
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "gui/common/twips.h"
#include "views/canvas.h"

namespace velmar {

class QtCanvas : public Canvas {
 public:
  QtCanvas(QPainter& p, Twips twips) : p_(p), twips_(twips) {}
  void draw(const DrawOp& op) override;

 private:
  QPainter& p_;
  Twips twips_;
};

// A picture that keeps what was drawn on it in an image, so that drawing
// done once survives covering, minimising and resizing. Drawing operations
// go onto the image; a repaint only copies it.
class RetainedPicture : public QWidget, public Canvas {
 public:
  explicit RetainedPicture(Rgb background, QWidget* parent = nullptr);
  void draw(const DrawOp& op) override;
  // Several operations with one painter, for a whole drawing at a time.
  void drawAll(const std::vector<DrawOp>& ops);
  // The drawable size in twips.
  double widthTwips() const;
  double heightTwips() const;
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void ensureImage();
  QColor background_;
  QImage image_;
};

}  // namespace velmar
