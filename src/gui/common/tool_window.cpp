#include "gui/common/tool_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "gui/common/twips.h"

namespace velmar {

namespace {

QPointer<QWidget>& anchor() {
  static QPointer<QWidget> main;
  return main;
}

// How many windows have been opened beside the main window without a
// place of their own: each further one steps down and aside so that none
// hides another.
int& cascade() {
  static int n = 0;
  return n;
}

// The first size of a window without a stored place: its default size,
// grown (in proportion) until its shorter side is at least this many pixels,
// so that the picture inside can be read on today's screens.
constexpr int kFirstShortSide = 300;

QSize firstSize(QSize size, const QRect& area) {
  const int shorter = std::min(size.width(), size.height());
  if (shorter > 0 && shorter < kFirstShortSide)
    size = size * (static_cast<double>(kFirstShortSide) / shorter);
  return size.boundedTo(area.size() * 9 / 10);
}

}  // namespace

void ToolWindow::setAnchor(QWidget* main) { anchor() = main; }

ToolWindow::ToolWindow(Placements& placements, Win which, Stacking stacking, QWidget* parent)
    : QWidget(parent, Qt::Window), placements_(placements), which_(which) {
  if (stacking == Stacking::OnTop) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // The user keeps typing in the main window while a view follows it.
    setAttribute(Qt::WA_ShowWithoutActivating);
  }
}

void ToolWindow::open() {
  if (!isVisible()) {
    applyPlacement();
    show();
  }
  raise();
}

void ToolWindow::setTitle(const std::string& title) {
  const QString t = QString::fromStdString(title);
  if (windowTitle() != t) setWindowTitle(t);
}

void ToolWindow::applyPlacement() {
  if (static_cast<int>(which_) >= kPlacedWinCount) {
    if (keeper_.load) applyKeptPlacement();
    return;
  }
  WindowPlacement p = placements_[which_];
  const QWidget* main = anchor();
  QScreen* s = main && main->isVisible() ? main->screen() : nullptr;
  if (!s) s = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips twips = Twips::of(s);
  const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1280, 800);
  // Stored on a screen that may be gone or smaller: back onto this one.
  bringOntoScreen(p, static_cast<float>(twips.toTwips(area.width())),
                  static_cast<float>(twips.toTwips(area.height())));
  if (p.top != -1 && placements_.own[static_cast<int>(which_)]) {
    resize(twips.toPixels(p.width, p.height).expandedTo(minimumSizeHint()));
    move(area.x() + twips.toWholePixels(p.left), area.y() + twips.toWholePixels(p.top));
    return;
  }
  if (!main || !main->isVisible()) {
    const QSize size = twips.toPixels(p.width, p.height).expandedTo(minimumSizeHint());
    resize(size);
    if (p.top == -1) {
      move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
      move(area.x() + twips.toWholePixels(p.left), area.y() + twips.toWholePixels(p.top));
    }
    return;
  }
  // First opened: beside the main window where the screen has room (on its
  // right, its left, below it, above it), else over its right edge; each
  // one a step further along.
  const QSize size =
      firstSize(twips.toPixels(p.width, p.height), area).expandedTo(minimumSizeHint());
  resize(size);
  const QRect beside = main->frameGeometry();
  const QSize outer = size + QSize(12, 36);  // the borders and title bar the window system adds
  const int step = 28 * (cascade()++ % 8);
  const QPoint candidates[] = {
      {beside.right() + 1 + step, beside.top() + step},
      {beside.left() - outer.width() - step, beside.top() + step},
      {beside.left() + step, beside.bottom() + 1 + step},
      {beside.left() + step, beside.top() - outer.height() - step},
  };
  QPoint at(area.right() - outer.width() - step, beside.top() + step);
  for (const QPoint& c : candidates)
    if (area.contains(QRect(c, outer))) {
      at = c;
      break;
    }
  move(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - outer.width())),
       std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - outer.height())));
}

// Where the keeper says, on the main window's screen: the keeper has
// brought the place onto it and made the window fit.
void ToolWindow::applyKeptPlacement() {
  const QWidget* main = anchor();
  QScreen* s = main && main->isVisible() ? main->screen() : nullptr;
  if (!s) s = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips twips = Twips::of(s);
  const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1280, 800);
  const WindowPlacement p = keeper_.load(static_cast<float>(twips.toTwips(area.width())),
                                         static_cast<float>(twips.toTwips(area.height())));
  resize(twips.toPixels(p.width, p.height).expandedTo(minimumSizeHint()));
  move(area.x() + twips.toWholePixels(p.left), area.y() + twips.toWholePixels(p.top));
}

void ToolWindow::storePlacement() {
  const bool inSettings = static_cast<int>(which_) < kPlacedWinCount;
  if (!inSettings && !keeper_.store) return;
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips twips = Twips::of(s);
  const QRect area = s ? s->availableGeometry() : QRect();
  // The frame's corner and the inside's size, as applyPlacement takes them.
  const QPoint corner = frameGeometry().topLeft() - area.topLeft();
  WindowPlacement kept;
  WindowPlacement& p = inSettings ? placements_[which_] : kept;
  if (inSettings) placements_.own[static_cast<int>(which_)] = true;
  p.top = static_cast<float>(twips.toTwips(corner.y()));
  p.left = static_cast<float>(twips.toTwips(corner.x()));
  p.width = static_cast<float>(twips.toTwips(width()));
  p.height = static_cast<int>(std::lround(twips.toTwips(height())));
  if (!inSettings) keeper_.store(kept);
}

void ToolWindow::showEvent(QShowEvent* e) {
  everShown_ = true;
  QWidget::showEvent(e);
}

void ToolWindow::closeEvent(QCloseEvent* e) {
  // A window made hidden and never shown has no place of its own to keep
  // (the program's closing closes it all the same).
  if (everShown_) storePlacement();
  QWidget::closeEvent(e);
  if (onClosed) onClosed();
}

}  // namespace velmar
