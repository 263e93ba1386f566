#include "app/qt/main_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "config/qt/site_editor_dialog.h"
#include "views/qt/phase_picture.h"

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
    {Field::JulianDay, "ユリウス日"},
    {Field::SunLongitude, "太陽の黄経"},
    {Field::SunDistance, "太陽の地心距離"},
    {Field::MoonLongitude, "月の黄経"},
    {Field::MoonLatitude, "月の黄緯"},
    {Field::MoonDistance, "月の地心距離(km)"},
    {Field::Phase, "月の位相"},
    {Field::Illumination, "月の輝面比"},
    {Field::RightAscension, "月の赤経"},
    {Field::Declination, "月の赤緯"},
    {Field::Azimuth, "月の方位"},
    {Field::Altitude, "月の高度"},
    {Field::ReferenceDate, "基準日"},
    {Field::MoonAge, "基準差"},
};

const char* checkCaption(Check c) {
  switch (c) {
    case Check::AutoRebase:
      return "朔月自動基準化";
    case Check::AutoDeltaT:
      return "△Ｔ自動";
    default:
      return "";
  }
}

}  // namespace

MainWindow::MainWindow(MainForm& main, QWidget* parent) : QMainWindow(parent), main_(main) {
  setWindowTitle("Velmar");
  setMouseTracking(true);
  buildMenus();
  buildToolbar();

  auto* central = new QWidget(this);
  central->setMouseTracking(true);
  auto* columns = new QHBoxLayout(central);

  auto* left = new QVBoxLayout;
  left->addWidget(buildDateTimeGroup());
  left->addWidget(buildSiteGroup());
  auto* calcRow = new QHBoxLayout;
  calcRow->addWidget(commandButton("Command1"));
  calcRow->addWidget(commandButton("Command17"));
  calcRow->addStretch();
  left->addLayout(calcRow);
  left->addWidget(buildLoopGroup());
  left->addStretch();
  columns->addLayout(left);

  auto* middle = new QVBoxLayout;
  picture_ = new PhasePicture(main_.form());
  picture_->onClick = [this] { runCommand("Picture1"); };
  picture_->onDoubleClick = [this] { runCommand("Picture1Double"); };
  picture_->onHover = [this] { main_.hover("Picture1"); };
  middle->addWidget(picture_, 0, Qt::AlignHCenter);
  auto* ageLabel = new QLabel(qs("月齢"));
  ageLabel->setAlignment(Qt::AlignHCenter);
  middle->addWidget(ageLabel);
  middle->addWidget(bindCheck(Check::AutoRebase));
  middle->addStretch();
  columns->addLayout(middle);

  columns->addWidget(buildResultsGroup(), 1);
  setCentralWidget(central);

  guidance_ = new QLabel;
  guidance_->setObjectName("Label21");
  statusBar()->addWidget(guidance_, 1);
  statusBar()->setSizeGripEnabled(false);

  formChanges_ =
      Connection(main_.form().changed(),
                 main_.form().changed().connect([this](const Change& c) { onModelChange(c); }));
  siteChanges_ = Connection(main_.sites().changed(),
                            main_.sites().changed().connect([this] { refreshSites(); }));
  main_.onGuidanceChanged = [this] { guidance_->setText(qs(main_.guidance())); };
  main_.setViewsHook([this] { picture_->update(); });
  main_.setSearchProgress(this);

  // Show what the model holds already.
  for (auto& [f, w] : fields_) w->setText(qs(main_.form().text(f)));
  for (auto& [c, w] : checks_) w->setChecked(main_.form().check(c) == 1);
  for (auto& [o, w] : options_) w->setChecked(main_.form().option(o));
  for (auto& [t, a] : tickActions_) a->setChecked(main_.form().tick(t));
  statusBar()->setVisible(main_.form().tick(Tick::guid));
  refreshSites();
}

MainWindow::~MainWindow() {
  main_.onGuidanceChanged = nullptr;
  main_.setViewsHook(nullptr);
  main_.setSearchProgress(nullptr);
}

// --- building ----------------------------------------------------------------

QAction* MainWindow::menuAction(QMenu* menu, const std::string& name) {
  const CommandInfo* info = findCommand(name);
  QAction* a = menu->addAction(qs(info->caption));
  if (*info->shortcut) a->setShortcut(QKeySequence(qs(info->shortcut)));
  a->setObjectName(qs(name));
  connect(a, &QAction::triggered, this, [this, name] { runCommand(name); });
  actions_[name] = a;
  return a;
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(qs("ﾌｧｲﾙ(&F)"));
  QAction* quit = menuAction(file, "endmenu");
  disconnect(quit, &QAction::triggered, nullptr, nullptr);
  connect(quit, &QAction::triggered, this, &QWidget::close);

  QMenu* calc = menuBar()->addMenu(qs("計算(&C)"));
  tickActions_[Tick::easycalc] = menuAction(calc, "easycalc");
  tickActions_[Tick::hqcalc] = menuAction(calc, "hqcalc");
  calc->addSeparator();
  menuAction(calc, "moonage");
  menuAction(calc, "newmcheck");
  calc->addSeparator();
  menuAction(calc, "fullmoon");
  menuAction(calc, "nextfull");
  menuAction(calc, "backfull");
  calc->addSeparator();
  menuAction(calc, "onecalc");
  menuAction(calc, "loopcalc");
  calc->addSeparator();
  menuAction(calc, "stopcalc");
  calc->addSeparator();
  menuAction(calc, "mem");
  menuAction(calc, "remem");

  QMenu* setup = menuBar()->addMenu(qs("設定(&S)"));
  tickActions_[Tick::automem] = menuAction(setup, "automem");
  setup->addSeparator();
  QAction* editor = menuAction(setup, "sokuedit");
  disconnect(editor, &QAction::triggered, nullptr, nullptr);
  connect(editor, &QAction::triggered, this, [this] { openSiteEditor(); });
  setup->addSeparator();
  tickActions_[Tick::guid] = menuAction(setup, "guid");

  QMenu* help = menuBar()->addMenu(qs("ﾍﾙﾌﾟ(&H)"));
  menuAction(help, "version");

  for (auto& [t, a] : tickActions_) a->setCheckable(true);
}

void MainWindow::buildToolbar() {
  QToolBar* bar = addToolBar(qs("ツールバー"));
  bar->setObjectName("Toolbar1");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const char* const keys[] = {"agebt",  "newbt",  nullptr, "recbt", "Rectangl", nullptr,
                              "loopbt", "stopbt", nullptr, "setbt", "Waste"};
  for (const char* key : keys) {
    if (!key) {
      bar->addSeparator();
      continue;
    }
    const CommandInfo* info = findCommand(key);
    QAction* a = bar->addAction(qs(info->caption));
    a->setObjectName(qs(key));
    a->setToolTip(qs(info->caption));
    const std::string name = key;
    connect(a, &QAction::triggered, this, [this, name] { runCommand(name); });
    connect(a, &QAction::hovered, this, [this, name] { main_.hover(name); });
    actions_[name] = a;
  }
}

QWidget* MainWindow::buildDateTimeGroup() {
  auto* box = new QGroupBox(qs("日時 (日本標準時)"));
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(4);
  struct Part {
    Field f;
    const char* spinner;
    const char* unit;
    int width;
  };
  const Part date[] = {{Field::Year, "UpDown1", "年", 56},
                       {Field::Month, "UpDown2", "月", 36},
                       {Field::Day, "UpDown3", "日", 36}};
  const Part time[] = {{Field::Hour, "UpDown4", "時", 36},
                       {Field::Minute, "UpDown5", "分", 36},
                       {Field::Second, "UpDown6", "秒", 36}};
  auto row = [&](const Part(&parts)[3], int r) {
    auto* h = new QHBoxLayout;
    h->setSpacing(3);
    for (const Part& p : parts) {
      h->addWidget(bindField(p.f, true, p.width));
      h->addWidget(spinnerPair(p.spinner));
      h->addWidget(new QLabel(qs(p.unit)));
      h->addSpacing(6);
    }
    h->addStretch();
    grid->addLayout(h, r, 0, 1, 9);
  };
  row(date, 0);
  row(time, 1);
  auto* dtRow = new QHBoxLayout;
  dtRow->addWidget(new QLabel(qs("△Ｔ")));
  dtRow->addWidget(bindField(Field::DeltaT, true, 44));
  dtRow->addWidget(spinnerPair("UpDown9"));
  dtRow->addWidget(new QLabel(qs("秒")));
  dtRow->addSpacing(8);
  dtRow->addWidget(bindCheck(Check::AutoDeltaT));
  dtRow->addStretch();
  grid->addLayout(dtRow, 2, 0, 1, 9);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(commandButton("Command16"));
  buttons->addWidget(commandButton("Command20"));
  buttons->addWidget(commandButton("Command36"));
  buttons->addStretch();
  grid->addLayout(buttons, 3, 0, 1, 9);
  return box;
}

QWidget* MainWindow::buildSiteGroup() {
  auto* box = new QGroupBox(qs("測地"));
  auto* grid = new QGridLayout(box);
  combo_ = new QComboBox;
  combo_->setObjectName("Combo1");
  combo_->setMinimumWidth(160);
  hint(combo_, "Combo1");
  connect(combo_, QOverload<int>::of(&QComboBox::activated), this, [this](int k) {
    commitEditing();
    main_.selectSite(k);
  });
  grid->addWidget(combo_, 0, 0, 1, 4);
  grid->addWidget(new QLabel(qs("東経")), 1, 0);
  grid->addWidget(bindField(Field::SiteLongitude, false, 70), 1, 1);
  grid->addWidget(new QLabel(qs("北緯")), 1, 2);
  grid->addWidget(bindField(Field::SiteLatitude, false, 70), 1, 3);
  return box;
}

QWidget* MainWindow::buildLoopGroup() {
  auto* box = new QGroupBox(qs("連続推算"));
  auto* v = new QVBoxLayout(box);
  auto frame = [this](const char* name, const char* caption,
                      std::initializer_list<std::pair<Option, const char*>> opts) {
    auto* f = new QGroupBox(qs(caption));
    f->setObjectName(qs(name));
    hint(f, name);
    auto* h = new QHBoxLayout(f);
    for (const auto& [o, text] : opts) h->addWidget(bindOption(o, text));
    h->addStretch();
    return f;
  };
  auto* top = new QHBoxLayout;
  top->addWidget(frame("Frame1", "推算速度", {{Option::Fast, "高速"}, {Option::Normal, "通常"}}));
  top->addWidget(frame("Frame3", "運行方向", {{Option::Past, "過去"}, {Option::Future, "未来"}}));
  v->addLayout(top);
  v->addWidget(frame("Frame2", "連続推算対象",
                     {{Option::Years, "年"},
                      {Option::Months, "月"},
                      {Option::Days, "日"},
                      {Option::Hours, "時"},
                      {Option::Minutes, "分"},
                      {Option::Seconds, "秒"}}));
  auto* amounts = new QHBoxLayout;
  amounts->addWidget(new QLabel(qs("変化分")));
  amounts->addWidget(bindField(Field::ChangeAmount, true, 48));
  amounts->addWidget(spinnerPair("UpDown7"));
  amounts->addSpacing(12);
  amounts->addWidget(new QLabel(qs("ループ")));
  amounts->addWidget(bindField(Field::LoopCount, true, 48));
  amounts->addWidget(spinnerPair("UpDown8"));
  amounts->addStretch();
  v->addLayout(amounts);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(commandButton("Command19"));
  buttons->addWidget(commandButton("Command18"));
  buttons->addSpacing(12);
  buttons->addWidget(commandButton("Command21"));
  buttons->addWidget(commandButton("Command22"));
  buttons->addStretch();
  v->addLayout(buttons);
  return box;
}

QWidget* MainWindow::buildResultsGroup() {
  auto* box = new QGroupBox(qs("推算結果"));
  auto* grid = new QGridLayout(box);
  QFont mono("Noto Sans Mono CJK JP");
  mono.setStyleHint(QFont::Monospace);
  int row = 0;
  for (const ResultRow& r : kResults) {
    grid->addWidget(new QLabel(qs(r.label)), row, 0);
    // The reference date may also be typed in: any Julian Day will do.
    QLineEdit* e = bindField(r.field, r.field == Field::ReferenceDate, 0);
    e->setMinimumWidth(180);
    e->setFont(mono);
    grid->addWidget(e, row, 1);
    if (r.field == Field::MoonAge) grid->addWidget(new QLabel(qs("(月齢)")), row, 2);
    ++row;
  }
  grid->setRowStretch(row, 1);
  return box;
}

void MainWindow::hint(QWidget* w, const std::string& controlName) {
  hints_[w] = controlName;
  w->installEventFilter(this);
  const CommandInfo* info = findCommand(controlName);
  if (info && *info->guidance) w->setToolTip(qs(info->guidance));
}

QLineEdit* MainWindow::bindField(Field f, bool input, int width) {
  auto* e = new QLineEdit;
  e->setObjectName(fieldName(f));
  e->setReadOnly(!input);
  if (width && input) {
    e->setFixedWidth(width);
  } else if (width) {
    e->setMinimumWidth(width);
  }
  if (!input) e->setFocusPolicy(Qt::ClickFocus);
  hint(e, fieldName(f));
  // The text reaches the model when the user is done with the field, so
  // the carry rules see whole numbers, not every keystroke.
  if (input) {
    connect(e, &QLineEdit::editingFinished, this, [this, f, e] {
      if (e->text() != qs(main_.form().text(f))) main_.enter(f, e->text().toStdString());
    });
  }
  fields_[f] = e;
  return e;
}

QCheckBox* MainWindow::bindCheck(Check c) {
  auto* box = new QCheckBox(qs(checkCaption(c)));
  const std::string name = "Check" + std::to_string(static_cast<int>(c));
  box->setObjectName(qs(name));
  hint(box, name);
  connect(box, &QCheckBox::clicked, this, [this, c, box](bool on) {
    commitEditing();
    if ((main_.form().check(c) == 1) != on) {
      MainForm::Busy busy(main_);
      main_.form().setCheck(c, on ? 1 : 0);
    }
    box->setChecked(main_.form().check(c) == 1);
  });
  checks_[c] = box;
  return box;
}

QRadioButton* MainWindow::bindOption(Option o, const char* caption) {
  auto* b = new QRadioButton(qs(caption));
  b->setObjectName(QString("Option%1").arg(static_cast<int>(o)));
  b->setAutoExclusive(false);  // the form keeps the groups
  connect(b, &QRadioButton::clicked, this, [this, o] {
    MainForm::Busy busy(main_);
    main_.form().selectOption(o);
    options_[o]->setChecked(main_.form().option(o));
  });
  options_[o] = b;
  return b;
}

QPushButton* MainWindow::commandButton(const std::string& name) {
  const CommandInfo* info = findCommand(name);
  auto* b = new QPushButton(qs(info->caption));
  b->setObjectName(qs(name));
  hint(b, name);
  connect(b, &QPushButton::clicked, this, [this, name] { runCommand(name); });
  buttons_[name] = b;
  return b;
}

QWidget* MainWindow::spinnerPair(const std::string& name) {
  auto* w = new QWidget;
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  for (int direction : {+1, -1}) {
    auto* b = new QToolButton;
    b->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
    b->setFixedSize(18, 11);
    b->setAutoRepeat(true);
    b->setObjectName(qs(name + (direction > 0 ? "Up" : "Down")));
    hint(b, name);
    connect(b, &QToolButton::clicked, this, [this, name, direction] {
      commitEditing();
      main_.spin(name, direction);
    });
    spinners_[{name, direction}] = b;
    v->addWidget(b);
  }
  return w;
}

// --- behaviour ---------------------------------------------------------------

void MainWindow::commitEditing() {
  // A field still being edited counts as entered before a command runs.
  auto* e = qobject_cast<QLineEdit*>(focusWidget());
  if (!e || e->isReadOnly()) return;
  for (auto& [f, w] : fields_) {
    if (w == e && e->text() != qs(main_.form().text(f))) main_.enter(f, e->text().toStdString());
  }
}

void MainWindow::runCommand(const std::string& name) {
  commitEditing();
  main_.run(name);
}

void MainWindow::openSiteEditor() {
  commitEditing();
  // Modal: the main window takes no input, and no tick runs, until the
  // editor is hidden.
  MainForm::Busy busy(main_);
  SiteEditorDialog dialog(main_.siteEditor(), main_.ui(), this);
  dialog.exec();
}

void MainWindow::refreshSites() {
  combo_->clear();
  for (const std::string& n : main_.sites().names()) combo_->addItem(qs(n));
  combo_->setCurrentIndex(main_.sites().selected());
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
    case Change::Kind::Option: {
      auto it = options_.find(static_cast<Option>(c.id));
      if (it != options_.end()) it->second->setChecked(main_.form().option(it->first));
      break;
    }
    case Change::Kind::Tick: {
      const Tick t = static_cast<Tick>(c.id);
      auto it = tickActions_.find(t);
      if (it != tickActions_.end()) it->second->setChecked(main_.form().tick(t));
      if (t == Tick::guid) statusBar()->setVisible(main_.form().tick(t));
      break;
    }
  }
}

void MainWindow::redrawPhase() { picture_->repaint(); }

void MainWindow::repaintFields(std::initializer_list<Field> fields) {
  for (Field f : fields) {
    auto it = fields_.find(f);
    if (it != fields_.end()) it->second->repaint();
  }
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!askBeforeClosing_ || main_.confirmExit()) {
    main_.continuous().stop();
    e->accept();
  } else {
    e->ignore();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::Enter) {
    auto it = hints_.find(watched);
    if (it != hints_.end()) main_.hover(it->second);
  }
  return QMainWindow::eventFilter(watched, e);
}

void MainWindow::mouseMoveEvent(QMouseEvent* e) {
  main_.hover("");  // the bare background
  QMainWindow::mouseMoveEvent(e);
}

// --- lookup for tests --------------------------------------------------------

QLineEdit* MainWindow::field(Field f) const {
  auto it = fields_.find(f);
  return it == fields_.end() ? nullptr : it->second;
}

QCheckBox* MainWindow::checkBox(Check c) const {
  auto it = checks_.find(c);
  return it == checks_.end() ? nullptr : it->second;
}

QRadioButton* MainWindow::optionButton(Option o) const {
  auto it = options_.find(o);
  return it == options_.end() ? nullptr : it->second;
}

QPushButton* MainWindow::button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

QToolButton* MainWindow::spinner(const std::string& name, int direction) const {
  auto it = spinners_.find({name, direction});
  return it == spinners_.end() ? nullptr : it->second;
}

QAction* MainWindow::action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

}  // namespace velmar
