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
  // One column per unit: its "▲", its label, its "▼".
  for (int i = 0; i < 6; ++i) {
    const std::string up = "Form7.Command" + std::to_string(2 * i + 1);
    const std::string down = "Form7.Command" + std::to_string(2 * i + 2);
    const std::string label = "Form7.Label" + std::to_string(i + 1);
    grid->addWidget(button(up.c_str()), 0, i);
    auto* l = new QLabel(faceCaption(label.c_str()));
    l->setObjectName(QString::fromStdString(label));
    l->setAlignment(Qt::AlignCenter);
    compact(l);
    l->installEventFilter(this);
    units_[i] = l;
    grid->addWidget(l, 1, i);
    grid->addWidget(button(down.c_str()), 2, i);
  }
  grid->addWidget(button("Form7.Command13"), 3, 0, 1, 2);  // Now
  grid->addWidget(button("Form7.Command14"), 3, 2);        // ◆
  grid->addWidget(button("Form7.Command15"), 3, 3);        // ■
  grid->addWidget(button("Form7.Command20"), 3, 4, 1, 2);  // <<

  auto* changeLabel = new QLabel(faceCaption("Form7.Label7"));
  changeLabel->setObjectName("Form7.Label7");
  compact(changeLabel);
  grid->addWidget(changeLabel, 4, 0, 1, 2);
  change_ = new QLineEdit;
  change_->setObjectName("Form7.Text1");
  change_->setReadOnly(true);  // typed through the keypad: a click opens it
  change_->setFocusPolicy(Qt::NoFocus);
  change_->setAlignment(Qt::AlignRight);
  compact(change_);
  change_->installEventFilter(this);
  grid->addWidget(change_, 4, 2, 1, 2);
  grid->addWidget(button("Form7.Command16"), 4, 4);
  grid->addWidget(button("Form7.Command17"), 4, 5);

  auto* stepLabel = new QLabel(faceCaption("Form7.Label8"));
  stepLabel->setObjectName("Form7.Label8");
  compact(stepLabel);
  grid->addWidget(stepLabel, 5, 0, 1, 2);
  grid->addWidget(button("Form7.Command18"), 5, 2, 1, 2);
  grid->addWidget(button("Form7.Command19"), 5, 4, 1, 2);
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
      const std::string name = "Form7.Label" + std::to_string(i + 1) + (twice ? "Double" : "");
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
