#include "gui/views/view_window.h"

#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include "engine/numtext.h"
#include "gui/common/command_controls.h"
#include "gui/common/picture_saver.h"
#include "views/svg.h"

namespace velmar {

namespace {

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }

// The corner buttons are 252 twips square: a small font fits them.
void smallFont(QWidget* w) {
  QFont f = w->font();
  f.setPointSizeF(f.pointSizeF() * 0.8);
  w->setFont(f);
}

// Controls drawn over the dark pictures: light grey text, no background.
void onDarkPicture(QWidget* w) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, QColor(192, 192, 192));
  w->setPalette(pal);
}

}  // namespace

Win winOf(View v) {
  switch (v) {
    case View::Face:
      return Win::Face;
    case View::Orbit:
      return Win::Orbit;
    case View::Sky:
      return Win::Sky;
    case View::Shadow:
      return Win::Shadow;
    case View::Sun:
      break;
  }
  return Win::Sun;
}

// --- ViewWindow ----------------------------------------------------------------

ViewWindow::ViewWindow(MainForm& main, View v)
    : ToolWindow(main.placements(), winOf(v), Stacking::OnTop),
      main_(main),
      views_(main.views()),
      view_(v) {
  setTitle(designerTitle(v));
  onClosed = [this] { views_.closed(view_); };
}

ViewWindow::~ViewWindow() { views_.attach(view_, {}); }

double ViewWindow::widthTwips() const { return Twips::of(canvas_).toTwips(canvas_->width()); }
double ViewWindow::heightTwips() const { return Twips::of(canvas_).toTwips(canvas_->height()); }

void ViewWindow::setCanvas(QWidget* canvas, QMenuBar* menu) {
  canvas_ = canvas;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (menu) layout->setMenuBar(menu);
  layout->addWidget(canvas, 1);
  canvas->setMinimumSize(1, 1);
  canvas->installEventFilter(this);
  addSavePictureMenu(canvas, main_.files(), main_.ui(),
                     {designerTitle(view_), [this] { return pixels(); }, [this] { return svg(); }});
}

void ViewWindow::pin(QWidget* control, Corner corner, double w, double h) {
  pinned_.push_back({control, corner, w, h});
}

void ViewWindow::placeControls() {
  const Twips twips = Twips::of(canvas_);
  for (const Pinned& p : pinned_) {
    QSize size = twips.toPixels(p.w, p.h);
    // A box must show its caption whatever the font.
    if (qobject_cast<QCheckBox*>(p.control)) size = size.expandedTo(p.control->sizeHint());
    const bool right = p.corner == Corner::TopRight || p.corner == Corner::BottomRight;
    const bool bottom = p.corner == Corner::BottomLeft || p.corner == Corner::BottomRight;
    p.control->setGeometry(right ? canvas_->width() - size.width() : 0,
                           bottom ? canvas_->height() - size.height() : 0, size.width(),
                           size.height());
  }
}

bool ViewWindow::eventFilter(QObject* watched, QEvent* e) {
  if (watched == canvas_ && e->type() == QEvent::Resize) placeControls();
  return ToolWindow::eventFilter(watched, e);
}

// --- PaintedViewWindow ---------------------------------------------------------

class PaintedViewWindow::Canvas : public QWidget {
 public:
  explicit Canvas(PaintedViewWindow& owner) : owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    owner_.paint(p);
  }

 private:
  PaintedViewWindow& owner_;
};

PaintedViewWindow::PaintedViewWindow(MainForm& main, View v) : ViewWindow(main, v) {
  auto* canvas = new Canvas(*this);
  QMenuBar* menu = nullptr;
  if (v == View::Shadow || v == View::Sun) {
    menu = new QMenuBar(this);
    menu->setNativeMenuBar(false);
  }
  setCanvas(canvas, menu);
  if (menu) addMenus();
  addControls();
  // A calculation sets the title now; the picture follows with the next
  // repaint, drawn for the fields as they then stand.
  views_.attach(v, {[this] {
                      drawing();
                      this->canvas()->update();
                    },
                    [this] { this->canvas()->update(); }});
}

void PaintedViewWindow::addControls() {
  CommandBinder binder(CommandActions::of(main_, this), false);
  const auto button = [this, &binder](const char* name, Corner corner) {
    QPushButton* b = binder.button(name, canvas());
    b->setFocusPolicy(Qt::NoFocus);
    smallFont(b);
    pin(b, corner, 252, 252);
  };
  switch (view_) {
    case View::Face:
    case View::Orbit: {
      const bool face = view_ == View::Face;
      button(face ? "faceView.startOrReverseButton" : "orbitView.startOrReverseButton",
             Corner::TopLeft);
      button(face ? "faceView.stopButton" : "orbitView.stopButton", Corner::TopRight);
      button(face ? "faceView.timePadButton" : "orbitView.timePadButton", Corner::BottomRight);
      if (!face) {
        QCheckBox* orbits = binder.checkBox("orbitView.orbitsCheck", canvas());
        orbits->setFocusPolicy(Qt::NoFocus);
        onDarkPicture(orbits);
        pin(orbits, Corner::BottomLeft, 612, 192);
        onClosed = [this, actions = &binder.actions()] {
          views_.closed(view_);
          actions->refresh();  // a new window's box is ticked
        };
      }
      break;
    }
    case View::Shadow:
      button("shadowView.timePadButton", Corner::TopLeft);
      break;
    case View::Sky:
    case View::Sun:
      break;
  }
}

void PaintedViewWindow::addMenus() {
  auto* bar = qobject_cast<QMenuBar*>(layout()->menuBar());
  const bool shadow = view_ == View::Shadow;
  CommandBinder binder(CommandActions::of(main_, this), false);
  // The item shows the main window's tick, whoever changes it.
  QMenu* view = bar->addMenu(qtext(shadow ? Text::ShadowViewMenu : Text::SunViewMenu));
  binder.windowMenuItem(view, shadow ? "shadowView.luna" : "sunView.bigview");
  if (shadow) {
    QMenu* full = bar->addMenu(qtext(Text::ShadowFullMoonMenu));
    for (const char* name :
         {"shadowView.nextfull", "shadowView.fullmooncheck", "shadowView.backfull"})
      binder.windowMenuItem(full, name);
  }
}

const ViewPicture& PaintedViewWindow::drawing() {
  views_.picture(view_, widthTwips(), heightTwips(), picture_);
  setTitle(picture_.title);
  return picture_;
}

void PaintedViewWindow::paint(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  // The moon face is not cleared by its drawing, only when the window is
  // resized; every other view clears first anyway.
  p.fillRect(canvas()->rect(), colour(backgroundOf(view_)));
  QtCanvas canvas(p, Twips::of(this->canvas()));
  velmar::paint(canvas, drawing().ops);
}

QImage PaintedViewWindow::pixels() {
  const qreal dpr = canvas()->devicePixelRatioF();
  QImage image(canvas()->size() * dpr, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  QPainter p(&image);
  paint(p);
  return image;
}

std::string PaintedViewWindow::svg() {
  const ViewPicture& pic = drawing();
  std::vector<DrawOp> ops;
  if (view_ == View::Face) ops.push_back(DrawOp::clear(backgroundOf(view_)));
  ops.insert(ops.end(), pic.ops.begin(), pic.ops.end());
  return toSvg(widthTwips(), heightTwips(), pic.title, ops);
}

// --- SkyWindow -----------------------------------------------------------------

class SkyWindow::Picture : public RetainedPicture {
 public:
  explicit Picture(SkyWindow& owner) : RetainedPicture(kSkyBackground), owner_(owner) {}

 protected:
  void resizeEvent(QResizeEvent* e) override {
    RetainedPicture::resizeEvent(e);
    if (isVisible()) owner_.drawAfterResize();
  }

 private:
  SkyWindow& owner_;
};

SkyWindow::SkyWindow(MainForm& main) : ViewWindow(main, View::Sky) {
  picture_ = new Picture(*this);
  setCanvas(picture_);
  CommandBinder binder(CommandActions::of(main_, this), false);
  trail_ = binder.checkBox("skyView.trailCheck", picture_);
  trail_->setFocusPolicy(Qt::NoFocus);
  onDarkPicture(trail_);
  pin(trail_, Corner::TopLeft, 672, 192);
  timePad_ = binder.button("skyView.timePadButton", picture_);
  timePad_->setFocusPolicy(Qt::NoFocus);
  smallFont(timePad_);
  pin(timePad_, Corner::TopRight, 252, 252);
  for (QLineEdit** box : {&azimuth_, &altitude_}) {
    *box = new QLineEdit(picture_);
    (*box)->setReadOnly(true);
    (*box)->setFocusPolicy(Qt::NoFocus);
    smallFont(*box);
  }
  azimuth_->setObjectName("skyView.azimuthField");
  altitude_->setObjectName("skyView.altitudeField");
  onClosed = [this, actions = &binder.actions()] {
    views_.closed(view_);
    actions->refresh();  // a new window's box is not ticked
  };
  views_.attach(View::Sky, {[this] { draw(); }, [this] { clear(); }});
}

void SkyWindow::placeControls() {
  ViewWindow::placeControls();
  const Twips twips = Twips::of(picture_);
  const QSize box = twips.toPixels(972, 288);
  const int middle = picture_->width() / 2;
  const int gap = twips.toWholePixels(100);
  altitude_->setGeometry(middle + gap, 0, box.width(), box.height());
  azimuth_->setGeometry(middle - box.width() - gap, 0, box.width(), box.height());
}

void SkyWindow::draw() {
  views_.picture(View::Sky, widthTwips(), heightTwips(), drawing_);
  picture_->drawAll(drawing_.ops);
  paint(kept_, drawing_.ops);
  setTitle(drawing_.title);
  for (auto [box, v] :
       {std::pair{azimuth_, drawing_.sunAzimuth}, {altitude_, drawing_.sunAltitude}}) {
    const QString text = QString::fromStdString(formatPlain(v));
    if (box->text() != text) {
      box->setText(text);
      box->setCursorPosition(0);
      box->setToolTip(text);
    }
  }
}

void SkyWindow::clear() {
  picture_->draw(DrawOp::clear(kSkyBackground));
  kept_.draw(DrawOp::clear(kSkyBackground));
}

// Twice: with the trail ticked, the second drawing marks the first one's
// dots, which lie where the bodies are now.
void SkyWindow::drawAfterResize() {
  for (int i = 0; i < 2; ++i) {
    clear();
    draw();
  }
}

void SkyWindow::showEvent(QShowEvent* e) {
  ViewWindow::showEvent(e);
  CommandActions::of(main_, this).refresh();
  draw();
}

QImage SkyWindow::pixels() {
  const qreal dpr = picture_->devicePixelRatioF();
  return picture_->image().copy(QRect(QPoint(0, 0), picture_->size() * dpr));
}

std::string SkyWindow::svg() {
  return toSvg(widthTwips(), heightTwips(), drawing_.title, kept_.ops());
}

}  // namespace velmar
