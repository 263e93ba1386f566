#include "gui/stepping/time_pad_window.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPushButton>

#include "gui/common/command_controls.h"
#include "gui/stepping/keypad_window.h"

namespace velmar {

namespace {

// Twenty buttons on a window 1884 twips wide: everything small.
void compact(QWidget* w) {
  QFont f = w->font();
  f.setPointSizeF(f.pointSizeF() * 0.85);
  w->setFont(f);
  w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  w->setMinimumSize(1, 1);
}

// One column per unit, year to second: its "▲", its label, its "▼". A
// double-click on the label is a face of its own, the label's name and
// "Double".
struct UnitColumn {
  const char* up;
  const char* label;
  const char* down;
};
constexpr UnitColumn kUnitColumns[6] = {
    {"timePad.yearUpButton", "timePad.yearsLabel", "timePad.yearDownButton"},
    {"timePad.monthUpButton", "timePad.monthsLabel", "timePad.monthDownButton"},
    {"timePad.dayUpButton", "timePad.daysLabel", "timePad.dayDownButton"},
    {"timePad.hourUpButton", "timePad.hoursLabel", "timePad.hourDownButton"},
    {"timePad.minuteUpButton", "timePad.minutesLabel", "timePad.minuteDownButton"},
    {"timePad.secondUpButton", "timePad.secondsLabel", "timePad.secondDownButton"},
};

}  // namespace

TimePadWindow::TimePadWindow(MainForm& main)
    : ToolWindow(main.placements(), Win::TimePad, Stacking::OnTop), main_(main) {
  setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  titleWhole_ = true;
  setTitle("TimePad");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(1);
  CommandBinder binder(CommandActions::of(main_, this), false);
  const auto button = [this, &binder](const char* name) {
    QPushButton* b = binder.button(name, this);
    b->setFocusPolicy(Qt::NoFocus);
    compact(b);
    return b;
  };
  for (int i = 0; i < 6; ++i) {
    const UnitColumn& unit = kUnitColumns[i];
    grid->addWidget(button(unit.up), 0, i);
    auto* l = new QLabel(faceCaption(unit.label));
    l->setObjectName(unit.label);
    l->setAlignment(Qt::AlignCenter);
    compact(l);
    l->installEventFilter(this);
    units_[i] = l;
    grid->addWidget(l, 1, i);
    grid->addWidget(button(unit.down), 2, i);
  }
  grid->addWidget(button("timePad.nowButton"), 3, 0, 1, 2);       // Now
  grid->addWidget(button("timePad.startOrReverseButton"), 3, 2);  // ◆
  grid->addWidget(button("timePad.stopButton"), 3, 3);            // ■
  grid->addWidget(button("timePad.restoreButton"), 3, 4, 1, 2);   // <<

  auto* changeLabel = new QLabel(faceCaption("timePad.changeLabel"));
  changeLabel->setObjectName("timePad.changeLabel");
  compact(changeLabel);
  grid->addWidget(changeLabel, 4, 0, 1, 2);
  change_ = new QLineEdit;
  change_->setObjectName("timePad.changeField");
  change_->setReadOnly(true);  // typed through the keypad: a click opens it
  change_->setFocusPolicy(Qt::NoFocus);
  change_->setAlignment(Qt::AlignRight);
  compact(change_);
  change_->installEventFilter(this);
  grid->addWidget(change_, 4, 2, 1, 2);
  grid->addWidget(button("timePad.changeUpButton"), 4, 4);
  grid->addWidget(button("timePad.changeDownButton"), 4, 5);

  auto* stepLabel = new QLabel(faceCaption("timePad.stepLabel"));
  stepLabel->setObjectName("timePad.stepLabel");
  compact(stepLabel);
  grid->addWidget(stepLabel, 5, 0, 1, 2);
  grid->addWidget(button("timePad.stepUpButton"), 5, 2, 1, 2);
  grid->addWidget(button("timePad.stepDownButton"), 5, 4, 1, 2);
  for (int r = 0; r < 6; ++r) grid->setRowStretch(r, 1);

  changes_ = Connection(main_.timePad().changed(),
                        main_.timePad().changed().connect([this] { refresh(); }));
  refresh();
}

void TimePadWindow::showEvent(QShowEvent* e) {
  ToolWindow::showEvent(e);
  main_.timePad().loaded();
  refresh();
}

void TimePadWindow::refresh() {
  const TimePad& pad = main_.timePad();
  const QString text = QString::fromStdString(pad.changeText());
  if (change_->text() != text) change_->setText(text);
  for (int i = 0; i < 6; ++i) {
    QLabel* l = units_[i];
    const bool marked = pad.markedLabel() == i + 1;
    if (l->autoFillBackground() == marked) continue;
    // The selected unit stands out on an opaque background.
    l->setAutoFillBackground(marked);
    QPalette p = palette();
    if (marked) {
      p.setColor(QPalette::Window, p.color(QPalette::Highlight));
      p.setColor(QPalette::WindowText, p.color(QPalette::HighlightedText));
    }
    l->setPalette(p);
  }
}

bool TimePadWindow::eventFilter(QObject* watched, QEvent* e) {
  const bool press = e->type() == QEvent::MouseButtonPress;
  const bool twice = e->type() == QEvent::MouseButtonDblClick;
  if ((press || twice) && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
    // The pad never takes the keyboard, so the change field is filled
    // through the keypad, which a click opens as a double-click does.
    if (watched == change_) {
      if (onChangeDoubleClicked) onChangeDoubleClicked();
      return true;
    }
    for (int i = 0; i < 6; ++i) {
      if (watched != units_[i]) continue;
      const std::string name = std::string(kUnitColumns[i].label) + (twice ? "Double" : "");
      main_.run(name);
      return true;
    }
  }
  return ToolWindow::eventFilter(watched, e);
}

// The pad has no field of its own to type in: after a click on the change
// field the keys work the keypad that click opened.
void TimePadWindow::keyPressEvent(QKeyEvent* e) {
  if (KeypadWindow::takeKey(main_.keypad(), e)) return;
  ToolWindow::keyPressEvent(e);
}

}  // namespace velmar
