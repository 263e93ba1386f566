#include "gui/common/tool_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "config/window_fit.h"
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

// Before a window was ever shown the window system has not told its frame:
// the borders and title bar of the main window are the best guess, else
// those of a usual desktop.
FrameMargins frameOf(const QWidget& w) {
  const auto margins = [](const QWidget& x) {
    const QRect outer = x.frameGeometry();
    const QRect inner = x.geometry();
    return FrameMargins{inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom()};
  };
  if (w.frameGeometry() != w.geometry()) return margins(w);
  const QWidget* main = anchor();
  if (main && main->isVisible()) return margins(*main);
  return FrameMargins{6, 30, 6, 6};
}

}  // namespace

QSize ToolWindow::usableMinimum() const {
  QSize least = minimumSizeHint().expandedTo(minimumSize());
  // The title, with the window system's icon and buttons beside it, reads
  // whole: a window narrower than its title shows "ル... カ".
  if (titleWhole_ && !windowTitle().isEmpty()) {
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    least.setWidth(std::max(least.width(), title.horizontalAdvance(windowTitle()) + kTitleButtons));
  }
  return least;
}

void ToolWindow::placeWithin(QPoint corner, QSize inside, const QRect& area) {
  const QSize least = usableMinimum();
  const WindowBox box = fitOnScreen({corner.x(), corner.y(), inside.width(), inside.height()},
                                    least.width(), least.height(), frameOf(*this),
                                    {area.x(), area.y(), area.width(), area.height()});
  resize(box.width, box.height);
  move(box.x, box.y);
}

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
  const QPoint kept(area.x() + twips.toWholePixels(p.left), area.y() + twips.toWholePixels(p.top));
  if (p.top != -1 && placements_.own[static_cast<int>(which_)]) {
    // A size the settings file does not keep (the time pad's) is the one
    // the window first opened with, not the bare default it was read with,
    // until the window closes in this run with a size of its own.
    const QSize stored = twips.toPixels(p.width, p.height);
    placeWithin(kept, keepsSize(which_) || sizeStored_ ? stored : firstSize(stored, area), area);
    return;
  }
  if (!main || !main->isVisible()) {
    const QSize size = twips.toPixels(p.width, p.height).expandedTo(usableMinimum());
    placeWithin(p.top == -1 ? area.center() - QPoint(size.width() / 2, size.height() / 2) : kept,
                size, area);
    return;
  }
  // First opened: beside the main window where the screen has room (on its
  // right, its left, below it, above it), else over its right edge; each
  // one a step further along.
  const QSize size = firstSize(twips.toPixels(p.width, p.height), area).expandedTo(usableMinimum());
  const QRect beside = main->frameGeometry();
  const FrameMargins frame = frameOf(*this);
  const QSize outer = size + QSize(frame.left + frame.right, frame.top + frame.bottom);
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
  placeWithin(at, size, area);
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
  placeWithin(QPoint(area.x() + twips.toWholePixels(p.left), area.y() + twips.toWholePixels(p.top)),
              twips.toPixels(p.width, p.height), area);
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
  sizeStored_ = true;
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
  const bool hadKeys = isActiveWindow();
  QWidget::closeEvent(e);
  if (onClosed) onClosed();
  // The keys go back to the main window, not to whichever window the
  // system picks next (a view takes no typing).
  if (QWidget* main = anchor(); hadKeys && e->isAccepted() && main && main->isVisible())
    main->activateWindow();
}

}  // namespace velmar
