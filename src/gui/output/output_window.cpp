#include "gui/output/output_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/commands.h"
#include "gui/common/twips.h"

namespace velmar {

namespace {

constexpr double kButtonPoints = 9;

const Command* commandNamed(const std::string& name) {
  const std::optional<CommandRef> ref = findCommand(name);
  return ref ? ref->command : nullptr;
}

QString captionOf(const Command* c) {
  return QString::fromUtf8(c && c->control.caption ? c->control.caption : "");
}

}  // namespace

OutputWindow::OutputWindow(MainForm& main, Win which)
    : ToolWindow(main.placements(), which, Stacking::Normal), main_(main) {
  FormModel& form = main_.form();
  formChanges_ =
      Connection(form.changed(), form.changed().connect([this](const Change& c) { mirror(c); }));
}

OutputWindow::~OutputWindow() = default;

QPushButton* OutputWindow::commandButton(const std::string& name) {
  auto* b = new QPushButton(captionOf(commandNamed(name)));
  b->setObjectName(QString::fromStdString(name));
  // The windows' buttons are 972 twips wide by design: their five
  // characters fit at the size the design was made for.
  QFont small = b->font();
  if (small.pointSizeF() > kButtonPoints) {
    small.setPointSizeF(kButtonPoints);
    b->setFont(small);
  }
  b->setFocusPolicy(Qt::TabFocus);
  connect(b, &QPushButton::clicked, this, [this, name] { main_.run(name); });
  buttons_[name] = b;
  return b;
}

QCheckBox* OutputWindow::boundCheck(const std::string& name) {
  const Command* c = commandNamed(name);
  auto* box = new QCheckBox(captionOf(c));
  box->setObjectName(QString::fromStdString(name));
  box->setFocusPolicy(Qt::TabFocus);
  const Check check = static_cast<Check>(c ? c->binding.id : 0);
  box->setChecked(main_.form().check(check) == 1);
  connect(box, &QCheckBox::clicked, this, [this, name, box, check] {
    main_.run(name);
    box->setChecked(main_.form().check(check) == 1);
  });
  checks_[name] = {box, check};
  return box;
}

void OutputWindow::mirror(const Change& c) {
  if (c.kind != Change::Kind::Check) return;
  for (auto& [name, entry] : checks_)
    if (static_cast<int>(entry.second) == c.id)
      entry.first->setChecked(main_.form().check(entry.second) == 1);
}

QPushButton* OutputWindow::button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

QCheckBox* OutputWindow::checkBox(const std::string& name) const {
  auto it = checks_.find(name);
  return it == checks_.end() ? nullptr : it->second.first;
}

QVBoxLayout* OutputWindow::columnUnderButtons(const std::string& form) {
  constexpr double kButtonTwips = 972;
  const Twips twips = Twips::of(this);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  for (int i = 1; i <= 9; ++i) {
    QPushButton* b = commandButton(form + ".Command" + std::to_string(i));
    b->setMinimumWidth(twips.toWholePixels(kButtonTwips));
    buttons->addWidget(b);
  }
  buttons->addStretch();
  column->addLayout(buttons);
  return column;
}

}  // namespace velmar
