#pragma once
// The graph window's picture: keeps the graph's drawing since it was last
// cleared and shows it scaled to the picture's size (lines stay one or two
// pixels wide), its scales and dates over it, and a crosshair with the
// step's values under the pointer. A click on a step takes the main window
// to that step's instant.
#include <QImage>
#include <QWidget>
#include <deque>
#include <optional>
#include <string>

#include "app/main_form.h"
#include "output/graph_axes.h"
#include "views/canvas.h"

namespace velmar {

class GraphPicture : public QWidget, public Canvas {
 public:
  explicit GraphPicture(MainForm& main, QWidget* parent = nullptr);

  void draw(const DrawOp& op) override;

  // The drawing as it stands on the screen, without the overlay.
  const QImage& image();
  // The picture as shown, scales and dates included; for "画像を保存...".
  QImage pixels();
  std::string svg();
  // Pixels per twip across and down, as the drawing is shown now.
  double pixelsPerTwipX() const;
  double pixelsPerTwipY() const;
  // The step under the pointer, if any.
  std::optional<size_t> hovered() const { return hovered_; }
  // The step nearest to `x` pixels across, within a few pixels.
  std::optional<size_t> stepAt(double x) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void showEvent(QShowEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  // One line of the drawing: the graph draws nothing else.
  struct Stroke {
    double x1, y1, x2, y2;
    Rgb colour;
    uint8_t width;
  };
  double scaleOf(double pixels, double designPixels) const;
  QSize designSize() const;
  void ensureImage();
  void paintPending();
  void paintOverlay(QPainter& p) const;
  void paintCrosshair(QPainter& p) const;
  QString tooltipOf(size_t step) const;

  MainForm& main_;
  std::deque<Stroke> strokes_;
  bool cleared_ = false;  // the drawing began with a clearing
  QImage image_;
  size_t painted_ = 0;
  GridThinning thinning_{1};
  double pxX_ = 1, pxY_ = 1;
  bool updateAsked_ = false;
  std::optional<size_t> hovered_;
  double pointerY_ = 0;
};

}  // namespace velmar
