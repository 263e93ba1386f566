#include "app/qt/main_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/site_entry.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s); }

struct ResultRow {
  Field field;
  const char* label;
};

// The results in the order a reader scans them: time, Sun, Moon.
constexpr ResultRow kResults[] = {
    {Field::Text4, "ユリウス日"},      {Field::Text5, "太陽の黄経"},
    {Field::Text15, "太陽の地心距離"}, {Field::Text6, "月の黄経"},
    {Field::Text20, "月の黄緯"},       {Field::Text16, "月の地心距離(km)"},
    {Field::Text10, "月の位相"},       {Field::Text11, "月の輝面比"},
    {Field::Text19, "月の赤経"},       {Field::Text21, "月の赤緯"},
    {Field::Text22, "月の方位"},       {Field::Text23, "月の高度"},
    {Field::Text13, "基準日"},         {Field::Text14, "基準差"},
};

}  // namespace

MainWindow::MainWindow(MainForm& main, QWidget* parent) : QMainWindow(parent), main_(main) {
  setWindowTitle("Velmar");
  buildMenus();

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  auto* left = new QVBoxLayout;
  left->addWidget(buildDateTimeGroup());
  left->addWidget(buildSiteGroup());
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(commandButton("Command1"));
  buttons->addWidget(commandButton("Command17"));
  buttons->addStretch();
  left->addLayout(buttons);
  left->addStretch();
  columns->addLayout(left);
  columns->addWidget(buildResultsGroup(), 1);
  setCentralWidget(central);

  listener_ = main_.form().addListener([this](const Change& c) { onModelChange(c); });
  // Show what the model holds already.
  for (auto& [f, w] : fields_) w->setText(qs(main_.form().text(f)));
  for (auto& [c, w] : checks_) w->setChecked(main_.form().check(c) == 1);
  for (auto& [t, a] : tickActions_) a->setChecked(main_.form().tick(t));
}

MainWindow::~MainWindow() { main_.form().removeListener(listener_); }

void MainWindow::buildMenus() {
  QMenu* calcMenu = menuBar()->addMenu(qs("計算(&C)"));
  auto add = [&](QMenu* menu, const std::string& name) {
    const CommandInfo* info = findCommand(name);
    QAction* a = menu->addAction(qs(info->caption));
    if (*info->shortcut) a->setShortcut(QKeySequence(qs(info->shortcut)));
    a->setObjectName(qs(name));
    connect(a, &QAction::triggered, this, [this, name] { runCommand(name); });
    actions_[name] = a;
    return a;
  };
  QAction* easy = add(calcMenu, "easycalc");
  QAction* hq = add(calcMenu, "hqcalc");
  easy->setCheckable(true);
  hq->setCheckable(true);
  tickActions_[Tick::easycalc] = easy;
  tickActions_[Tick::hqcalc] = hq;
  calcMenu->addSeparator();
  add(calcMenu, "onecalc");
}

QWidget* MainWindow::buildDateTimeGroup() {
  auto* box = new QGroupBox(qs("日時 (日本標準時)"));
  auto* grid = new QGridLayout(box);
  const std::pair<Field, const char*> parts[] = {
      {Field::Text1, "年"}, {Field::Text2, "月"}, {Field::Text3, "日"},
      {Field::Text7, "時"}, {Field::Text8, "分"}, {Field::Text9, "秒"}};
  int col = 0;
  for (const auto& [f, label] : parts) {
    QLineEdit* e = bindField(f, true);
    e->setMaximumWidth(f == Field::Text1 ? 64 : 44);
    grid->addWidget(e, 0, col);
    grid->addWidget(new QLabel(qs(label)), 0, col + 1);
    col += 2;
  }
  auto* dtRow = new QHBoxLayout;
  dtRow->addWidget(new QLabel(qs("△Ｔ")));
  QLineEdit* dt = bindField(Field::Text12, true);
  dt->setMaximumWidth(56);
  dtRow->addWidget(dt);
  dtRow->addWidget(new QLabel(qs("秒")));
  dtRow->addWidget(bindCheck(Check::Check3, "△Ｔ自動"));
  dtRow->addStretch();
  grid->addLayout(dtRow, 1, 0, 1, col);
  return box;
}

QWidget* MainWindow::buildSiteGroup() {
  auto* box = new QGroupBox(qs("観測地"));
  auto* grid = new QGridLayout(box);
  siteLatitude_ = new QLineEdit(qs("35.0"));
  siteLongitude_ = new QLineEdit(qs("135.0"));
  siteLatitude_->setObjectName("siteLatitude");
  siteLongitude_->setObjectName("siteLongitude");
  grid->addWidget(new QLabel(qs("北緯")), 0, 0);
  grid->addWidget(siteLatitude_, 0, 1);
  grid->addWidget(new QLabel(qs("東経")), 1, 0);
  grid->addWidget(siteLongitude_, 1, 1);
  auto apply = [this] {
    const auto error = enterSite(main_.calculator(), siteLatitude_->text().toStdString(),
                                 siteLongitude_->text().toStdString());
    if (error) {
      main_.ui().message(kTitleText, *error);
      return;
    }
    main_.calculator().calc();
  };
  connect(siteLatitude_, &QLineEdit::editingFinished, this, apply);
  connect(siteLongitude_, &QLineEdit::editingFinished, this, apply);
  return box;
}

QWidget* MainWindow::buildResultsGroup() {
  auto* box = new QGroupBox(qs("推算結果"));
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (const ResultRow& r : kResults) {
    grid->addWidget(new QLabel(qs(r.label)), row, 0);
    QLineEdit* e = bindField(r.field, r.field == Field::Text13);
    e->setMinimumWidth(170);
    grid->addWidget(e, row, 1);
    if (r.field == Field::Text14) grid->addWidget(new QLabel(qs("(月齢)")), row, 2);
    ++row;
  }
  return box;
}

QLineEdit* MainWindow::bindField(Field f, bool input) {
  auto* e = new QLineEdit;
  e->setObjectName(fieldName(f));
  e->setReadOnly(!input);
  if (!input) e->setFocusPolicy(Qt::ClickFocus);
  // The text reaches the model when the user is done with the field, so
  // the carry rules see whole numbers, not every keystroke.
  if (input) {
    connect(e, &QLineEdit::editingFinished, this,
            [this, f, e] { main_.form().setText(f, e->text().toStdString()); });
  }
  fields_[f] = e;
  return e;
}

QCheckBox* MainWindow::bindCheck(Check c, const char* caption) {
  auto* box = new QCheckBox(qs(caption));
  box->setObjectName(QString("Check%1").arg(static_cast<int>(c)));
  connect(box, &QCheckBox::clicked, this,
          [this, c](bool on) { main_.form().setCheck(c, on ? 1 : 0); });
  checks_[c] = box;
  return box;
}

QPushButton* MainWindow::commandButton(const std::string& name) {
  const CommandInfo* info = findCommand(name);
  auto* b = new QPushButton(qs(info->caption));
  b->setObjectName(qs(name));
  b->setToolTip(qs(info->guidance));
  connect(b, &QPushButton::clicked, this, [this, name] { runCommand(name); });
  buttons_[name] = b;
  return b;
}

void MainWindow::runCommand(const std::string& name) {
  // A field still being edited counts as entered before the command runs.
  if (auto* e = qobject_cast<QLineEdit*>(focusWidget())) {
    for (auto& [f, w] : fields_)
      if (w == e && !w->isReadOnly()) main_.form().setText(f, e->text().toStdString());
  }
  main_.run(name);
}

void MainWindow::onModelChange(const Change& c) {
  switch (c.kind) {
    case Change::Kind::Field: {
      auto it = fields_.find(static_cast<Field>(c.id));
      if (it == fields_.end()) return;
      const QString text = qs(main_.form().text(it->first));
      if (it->second->text() != text) it->second->setText(text);
      break;
    }
    case Change::Kind::Check: {
      auto it = checks_.find(static_cast<Check>(c.id));
      if (it != checks_.end()) it->second->setChecked(main_.form().check(it->first) == 1);
      break;
    }
    case Change::Kind::Tick: {
      auto it = tickActions_.find(static_cast<Tick>(c.id));
      if (it != tickActions_.end()) it->second->setChecked(main_.form().tick(it->first));
      break;
    }
    case Change::Kind::Option:
      break;
  }
}

QLineEdit* MainWindow::field(Field f) const {
  auto it = fields_.find(f);
  return it == fields_.end() ? nullptr : it->second;
}

QCheckBox* MainWindow::checkBox(Check c) const {
  auto it = checks_.find(c);
  return it == checks_.end() ? nullptr : it->second;
}

QPushButton* MainWindow::button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

QAction* MainWindow::action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

}  // namespace velmar
