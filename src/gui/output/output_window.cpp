#include "gui/output/output_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/common/twips.h"

namespace velmar {

namespace {

constexpr double kButtonPoints = 9;

}  // namespace

OutputWindow::OutputWindow(MainForm& main, Win which)
    : ToolWindow(main.placements(), which, Stacking::Normal),
      main_(main),
      binder_(CommandActions::of(main, this), false) {}

OutputWindow::~OutputWindow() = default;

QPushButton* OutputWindow::commandButton(const std::string& name) {
  QPushButton* b = binder_.button(name.c_str());
  b->setObjectName(QString::fromStdString(name));
  // The windows' buttons are 972 twips wide by design: their five
  // characters fit at the size the design was made for.
  QFont small = b->font();
  if (small.pointSizeF() > kButtonPoints) {
    small.setPointSizeF(kButtonPoints);
    b->setFont(small);
  }
  b->setFocusPolicy(Qt::TabFocus);
  buttons_[name] = b;
  return b;
}

QCheckBox* OutputWindow::boundCheck(const std::string& name) {
  QCheckBox* box = binder_.checkBox(name.c_str());
  box->setFocusPolicy(Qt::TabFocus);
  checks_[name] = box;
  return box;
}

QPushButton* OutputWindow::button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

QCheckBox* OutputWindow::checkBox(const std::string& name) const {
  auto it = checks_.find(name);
  return it == checks_.end() ? nullptr : it->second;
}

QVBoxLayout* OutputWindow::columnUnderButtons(const std::array<const char*, 9>& names) {
  constexpr double kButtonTwips = 972;
  const Twips twips = Twips::of(this);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  for (const char* name : names) {
    // The eighth place of the row is kept empty: a blank button there did
    // nothing.
    if (findCaption(name)) {
      buttons->addSpacing(twips.toWholePixels(kButtonTwips));
      continue;
    }
    QPushButton* b = commandButton(name);
    b->setMinimumWidth(twips.toWholePixels(kButtonTwips));
    buttons->addWidget(b);
  }
  buttons->addStretch();
  column->addLayout(buttons);
  return column;
}

}  // namespace velmar
