#include "gui/common/tool_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "gui/common/twips.h"

namespace velmar {

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
  if (static_cast<int>(which_) >= kPlacedWinCount) return;
  const WindowPlacement& p = placements_[which_];
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips twips = Twips::of(s);
  const QSize size = twips.toPixels(p.width, p.height).expandedTo(minimumSizeHint());
  resize(size);
  const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1280, 800);
  if (p.top == -1) {
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  } else {
    move(area.x() + twips.toWholePixels(p.left), area.y() + twips.toWholePixels(p.top));
  }
}

void ToolWindow::storePlacement() {
  if (static_cast<int>(which_) >= kPlacedWinCount) return;
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const Twips twips = Twips::of(s);
  const QRect area = s ? s->availableGeometry() : QRect();
  // The frame's corner and the inside's size, as applyPlacement takes them.
  const QPoint corner = frameGeometry().topLeft() - area.topLeft();
  WindowPlacement& p = placements_[which_];
  p.top = static_cast<float>(twips.toTwips(corner.y()));
  p.left = static_cast<float>(twips.toTwips(corner.x()));
  p.width = static_cast<float>(twips.toTwips(width()));
  p.height = static_cast<int>(std::lround(twips.toTwips(height())));
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
