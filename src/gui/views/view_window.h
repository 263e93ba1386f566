#pragma once
// The five view windows. Each shows one view's drawing as large as its
// window, stays above other windows without taking the focus, takes its
// place from the settings and stores it when it closes. The drawing itself
// comes from the core (Views); a window only paints it and places its few
// controls.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "gui/common/qt_canvas.h"
#include "gui/common/tool_window.h"
#include "views/kept_drawing.h"
#include "views/view_picture.h"

namespace velmar {

// The window's place in the settings.
Win winOf(View v);

class ViewWindow : public ToolWindow {
  Q_OBJECT

 public:
  ~ViewWindow() override;
  View view() const { return view_; }
  // The drawable area; its size in twips is what the view is drawn for.
  QWidget* canvas() const { return canvas_; }
  double widthTwips() const;
  double heightTwips() const;
  // What the picture shows: pixels without the controls, and as SVG.
  virtual QImage pixels() = 0;
  virtual std::string svg() = 0;

 protected:
  ViewWindow(MainForm& main, View v);
  // Puts the drawable area (and a menu bar above it) into the window, with
  // the save item in its context menu.
  void setCanvas(QWidget* canvas, QMenuBar* menu = nullptr);
  // Keeps a control at a corner of the drawable area, `w` x `h` twips (or
  // as large as the control needs, when that is more).
  enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };
  void pin(QWidget* control, Corner corner, double w, double h);
  // Places the pinned controls for the drawable area's present size.
  virtual void placeControls();
  bool eventFilter(QObject* watched, QEvent* e) override;

  MainForm& main_;
  Views& views_;
  const View view_;

 private:
  struct Pinned {
    QWidget* control;
    Corner corner;
    double w, h;
  };
  QWidget* canvas_ = nullptr;
  std::vector<Pinned> pinned_;
};

// The moon face, orbit and eclipse views: each repaint draws the view
// afresh from the fields as they stand, as the window's own repaint does.
class PaintedViewWindow : public ViewWindow {
  Q_OBJECT

 public:
  PaintedViewWindow(MainForm& main, View v);
  QImage pixels() override;
  std::string svg() override;

 private:
  class Canvas;
  // The drawing for the present size; the title follows it.
  const ViewPicture& drawing();
  void paint(QPainter& p);
  void addMenus();
  void addControls();
  ViewPicture picture_;
};

// The sky view: its drawings accumulate on a kept image, so that with the
// trail ticked earlier dots stay, and a repaint only shows the image.
class SkyWindow : public ViewWindow {
  Q_OBJECT

 public:
  explicit SkyWindow(MainForm& main);
  QImage pixels() override;
  std::string svg() override;
  QLineEdit* sunAzimuthBox() const { return azimuth_; }
  QLineEdit* sunAltitudeBox() const { return altitude_; }
  QCheckBox* trailBox() const { return trail_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void placeControls() override;

 private:
  class Picture;
  void draw();
  void clear();
  void drawAfterResize();
  Picture* picture_ = nullptr;
  KeptDrawing kept_;
  ViewPicture drawing_;
  QLineEdit* azimuth_ = nullptr;
  QLineEdit* altitude_ = nullptr;
  QCheckBox* trail_ = nullptr;
  QPushButton* timePad_ = nullptr;
};

}  // namespace velmar
