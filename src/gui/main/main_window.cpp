#include "gui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/commands.h"
#include "gui/almanac/almanac_window.h"
#include "gui/common/tool_window.h"
#include "gui/common/twips.h"
#include "gui/config/settings_dialog.h"
#include "gui/config/site_editor_dialog.h"
#include "gui/main/help_window.h"
#include "gui/output/export_label.h"
#include "gui/output/output_windows.h"
#include "gui/views/phase_picture.h"
#include "gui/views/view_windows.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s ? s : ""); }

// The results in the order a reader scans them: time, Sun, Moon.
constexpr Field kResults[] = {
    Field::JulianDay,      Field::SunLongitude, Field::SunDistance, Field::MoonLongitude,
    Field::MoonLatitude,   Field::MoonDistance, Field::Phase,       Field::Illumination,
    Field::RightAscension, Field::Declination,  Field::Azimuth,     Field::Altitude,
    Field::ReferenceDate,  Field::MoonAge,
};

// The window is built from the table; a name the table lacks gives a
// control without caption rather than a crash.
const Command& commandNamed(const std::string& name) {
  static const Command none{};
  const std::optional<CommandRef> ref = findCommand(name);
  return ref ? *ref->command : none;
}

// Buttons and boxes take no focus from a click: a field being typed into
// keeps it, and the click's command commits the field before it runs.
void clickWithoutFocus(QWidget* w) { w->setFocusPolicy(Qt::TabFocus); }

// Frames hold their controls close together.
template <class L>
L* compact(L* layout) {
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(3);
  return layout;
}

// Asks for the whole of its contents (a plain scroll area asks for a
// fraction of them), so that the window opens without scroll bars
// wherever the screen has the room.
class FitScrollArea : public QScrollArea {
 public:
  explicit FitScrollArea(QWidget* content) {
    setWidget(content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    // A click on a button inside must leave the focus in the field being
    // typed into, not give it to the area.
    setFocusPolicy(Qt::NoFocus);
  }
  QSize sizeHint() const override { return widget()->sizeHint(); }
};

// Every pointer move of the application passes here: Qt hands a move
// over a control that does not follow the pointer to no handler of the
// window, only to the application's filters. The control under the
// pointer then gives the hint.
class PointerWatch : public QObject {
 public:
  PointerWatch(QWidget* window, std::function<void(QWidget*)> over)
      : QObject(window), window_(window), over_(std::move(over)) {
    qApp->installEventFilter(this);
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::MouseMove || !o->isWidgetType()) return false;
    if (static_cast<QWidget*>(o)->window() != window_) return false;
    const QPoint at =
        window_->mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition()).toPoint();
    over_(window_->childAt(at));
    return false;
  }

 private:
  QWidget* window_;
  std::function<void(QWidget*)> over_;
};

}  // namespace

MainWindow::MainWindow(MainForm& main, QWidget* parent)
    : QMainWindow(parent), main_(main), settings_(main.form(), [this](bool resetAll) {
        const ScreenTwips screen = screenTwips(this->screen());
        return main_.saveinf(resetAll, screen.width, screen.height);
      }) {
  setWindowTitle("Velmar");
  setMouseTracking(true);
  pointerWatch_ = new PointerWatch(this, [this](QWidget* w) { hoverOver(w); });
  buildMenus();
  buildToolbar();

  // Three columns: what is entered, the Moon, what comes out. Kept
  // compact so that the window fits a 1024 x 600 screen; below that the
  // columns scroll while the guidance line stays at the foot.
  auto* content = new QWidget;
  auto* columns = new QHBoxLayout(content);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(8);

  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  left->addWidget(buildDateTimeGroup());
  left->addWidget(buildSiteGroup());
  left->addWidget(buildLoopGroup());
  left->addStretch();
  columns->addLayout(left);

  // The Moon and the switches of the results; the output group stands
  // under the calculate buttons.
  auto* middle = new QVBoxLayout;
  middle->setSpacing(4);
  middle->addWidget(buildMoonGroup());
  middle->addWidget(buildOutputGroup());
  middle->addStretch();
  columns->addLayout(middle);

  columns->addWidget(buildResultsGroup(), 1);

  auto* central = new QWidget(this);
  auto* page = new QVBoxLayout(central);
  page->setContentsMargins(8, 6, 8, 6);
  page->setSpacing(4);
  page->addWidget(new FitScrollArea(content), 1);

  // The guidance line, within the window's margin like everything else.
  guidance_ = new QLabel;
  guidance_->setObjectName("Label21");
  guidance_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  guidance_->setContentsMargins(4, 1, 4, 1);
  guidance_->setMinimumWidth(1);  // a long hint is cut, it does not widen the window
  page->addWidget(guidance_);
  setCentralWidget(central);

  FormModel& form = main_.form();
  formChanges_ = Connection(form.changed(),
                            form.changed().connect([this](const Change& c) { onModelChange(c); }));
  siteChanges_ = Connection(main_.sites().changed(),
                            main_.sites().changed().connect([this] { refreshSites(); }));
  guidanceChanges_ = Connection(main_.guidanceChanged(), main_.guidanceChanged().connect([this] {
    guidance_->setText(qs(main_.guidance()));
  }));
  signChanges_ = Connection(main_.entrySignChanged(),
                            main_.entrySignChanged().connect([this] { showEntrySign(); }));
  drawId_ = main_.onDraw([this] { picture_->update(); }, ViewStage::Phase);
  main_.setSearchProgress(this);
  main_.attachWindows(this);
  addFamily(std::make_unique<OutputWindows>(main_));
  addFamily(std::make_unique<ViewWindows>(main_, *this));
  addFamily(std::make_unique<AlmanacWindows>(main_));

  // Show what the model holds already.
  for (auto& [f, w] : fields_) w->setText(qs(form.text(f)));
  for (auto& [c, w] : checks_) w->setChecked(form.check(c) == 1);
  for (auto& [o, w] : options_) w->setChecked(form.option(o));
  for (auto& [t, list] : tickActions_)
    for (QAction* a : list) a->setChecked(form.tick(t));
  guidance_->setText(qs(main_.guidance()));
  guidance_->setVisible(form.tick(Tick::guid));
  refreshSites();
  showEntrySign();
  ToolWindow::setAnchor(this);
}

MainWindow::~MainWindow() {
  // The widgets outlive this part of the window: a field that loses the
  // focus as they go must not reach the form through it.
  for (auto& [f, e] : fields_) e->disconnect(this);
  ToolWindow::setAnchor(nullptr);
  delete pointerWatch_;
  main_.offDraw(drawId_);
  main_.setSearchProgress(nullptr);
  main_.attachWindows(nullptr);
}

// --- building ----------------------------------------------------------------

QAction* MainWindow::menuAction(QMenu* menu, const Command& c) {
  QAction* a = menu->addAction(qs(c.menu.caption));
  if (c.menu.shortcut) a->setShortcut(QKeySequence(qs(c.menu.shortcut)));
  const std::string name = c.menu.name;
  a->setObjectName(qs(name));
  if (c.binding.kind == Binding::Kind::Tick) {
    a->setCheckable(true);
    tickActions_[static_cast<Tick>(c.binding.id)].push_back(a);
  }
  const Binding binding = c.binding;
  connect(a, &QAction::triggered, this, [this, name, a, binding] {
    runCommand(name);
    // A checkable item ticks itself on a click; the form says what holds.
    if (a->isCheckable()) a->setChecked(isOn(binding));
  });
  actions_[name] = a;
  return a;
}

void MainWindow::buildMenus() {
  for (const MenuLayout& layout : menuLayout()) {
    QMenu* menu = nullptr;
    bool separatorDue = false;
    for (const MenuItem& item : layout.items) {
      if (item.separator) {
        separatorDue = menu != nullptr;
        continue;
      }
      // Items whose command is not part of the program yet are left out,
      // and so are separators that would stand at an end or twice.
      const std::optional<CommandRef> ref = findCommand(item.name);
      if (!ref || ref->face != Face::Menu) continue;
      if (!menu) {
        menu = menuBar()->addMenu(qs(layout.caption));
        menu->setObjectName(qs(layout.name));
      }
      if (separatorDue) menu->addSeparator();
      separatorDue = false;
      menuAction(menu, *ref->command);
    }
  }
}

void MainWindow::buildToolbar() {
  QToolBar* bar = addToolBar(qs("ツールバー"));
  bar->setObjectName("Toolbar1");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // The pictures are drawn on a 16-pixel grid: sharp at 16 and, on a
  // screen of twice the density, at 32 device pixels.
  bar->setIconSize(QSize(16, 16));
  bool separatorDue = false;
  for (const char* key : toolbarKeys()) {
    if (!key) {
      separatorDue = !bar->actions().isEmpty();
      continue;
    }
    const std::optional<CommandRef> ref = findCommand(key);
    if (!ref || ref->face != Face::Tool) continue;
    if (separatorDue) bar->addSeparator();
    separatorDue = false;
    const Command& c = *ref->command;
    QAction* a = bar->addAction(QIcon(QString(":/icons/%1.svg").arg(qs(c.tool.picture))),
                                qs(c.tool.tooltip));
    a->setObjectName(qs(key));
    a->setToolTip(qs(c.tool.tooltip));
    const std::string name = key;
    connect(a, &QAction::triggered, this, [this, name] {
      commitEditing();
      main_.clickToolbar(name);
    });
    connect(a, &QAction::hovered, this, [this, name] { main_.hover(name); });
    if (QWidget* button = bar->widgetForAction(a)) {
      button->setObjectName(qs(key));
      hints_[button] = name;
      button->installEventFilter(this);
    }
    actions_[name] = a;
  }
}

QLabel* MainWindow::label(Field f) { return new QLabel(qs(fieldInfo(f).label)); }

QWidget* MainWindow::buildDateTimeGroup() {
  auto* box = new QGroupBox(qs("日時 (日本標準時)"));
  auto* grid = compact(new QGridLayout(box));
  grid->setHorizontalSpacing(4);
  struct Part {
    Field f;
    int width;
  };
  const Part date[] = {{Field::Year, 56}, {Field::Month, 36}, {Field::Day, 36}};
  const Part time[] = {{Field::Hour, 36}, {Field::Minute, 36}, {Field::Second, 36}};
  auto row = [&](const Part(&parts)[3], int r) {
    auto* h = new QHBoxLayout;
    h->setSpacing(3);
    for (const Part& p : parts) {
      h->addWidget(bindField(p.f, true, p.width));
      h->addWidget(spinnerPair(p.f));
      h->addWidget(label(p.f));
      h->addSpacing(6);
    }
    h->addStretch();
    grid->addLayout(h, r, 0, 1, 9);
  };
  row(date, 0);
  row(time, 1);
  auto* dtRow = new QHBoxLayout;
  dtRow->addWidget(label(Field::DeltaT));
  dtRow->addWidget(bindField(Field::DeltaT, true, 44));
  dtRow->addWidget(spinnerPair(Field::DeltaT));
  dtRow->addWidget(new QLabel(qs("秒")));
  dtRow->addSpacing(8);
  dtRow->addWidget(bindCheck("Check3"));
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
  auto* box = new QGroupBox(qs(commandNamed("Combo1").control.caption));
  auto* grid = compact(new QGridLayout(box));
  combo_ = new QComboBox;
  combo_->setObjectName("Combo1");
  combo_->setMinimumWidth(160);
  clickWithoutFocus(combo_);
  hint(combo_, "Combo1");
  connect(combo_, QOverload<int>::of(&QComboBox::activated), this, [this](int k) {
    commitEditing();
    main_.selectSite(k);
  });
  grid->addWidget(combo_, 0, 0, 1, 4);
  grid->addWidget(label(Field::SiteLongitude), 1, 0);
  grid->addWidget(bindField(Field::SiteLongitude, false, 70), 1, 1);
  grid->addWidget(label(Field::SiteLatitude), 1, 2);
  grid->addWidget(bindField(Field::SiteLatitude, false, 70), 1, 3);
  return box;
}

QWidget* MainWindow::frame(const char* name) {
  const Command& c = commandNamed(name);
  auto* f = new QGroupBox(qs(c.control.caption));
  f->setObjectName(qs(name));
  hint(f, name);
  auto* h = compact(new QHBoxLayout(f));
  for (const ControlGroup& g : controlGroups()) {
    if (std::string(g.frame) != name) continue;
    for (const char* member : g.members) h->addWidget(bindOption(member));
  }
  h->addStretch();
  return f;
}

QWidget* MainWindow::buildLoopGroup() {
  auto* box = new QGroupBox(qs("連続推算"));
  auto* v = compact(new QVBoxLayout(box));
  auto* top = new QHBoxLayout;
  top->addWidget(frame("Frame1"));
  top->addWidget(frame("Frame3"));
  v->addLayout(top);
  v->addWidget(frame("Frame2"));
  auto* amounts = new QHBoxLayout;
  amounts->addWidget(label(Field::ChangeAmount));
  amounts->addWidget(bindField(Field::ChangeAmount, true, 48));
  amounts->addWidget(spinnerPair(Field::ChangeAmount));
  amounts->addSpacing(12);
  amounts->addWidget(label(Field::LoopCount));
  amounts->addWidget(bindField(Field::LoopCount, true, 48));
  amounts->addWidget(spinnerPair(Field::LoopCount));
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

QWidget* MainWindow::buildMoonGroup() {
  auto* w = new QWidget;
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 6, 0, 0);
  v->setSpacing(3);
  picture_ = new PhasePicture(main_.form());
  picture_->setObjectName("Picture1");
  picture_->onClick = [this] { runCommand("Picture1"); };
  picture_->onDoubleClick = [this] { runCommand("Picture1Double"); };
  picture_->onHover = [this] { main_.hover("Picture1"); };
  hints_[picture_] = "Picture1";
  v->addWidget(picture_, 0, Qt::AlignHCenter);
  auto* ageLabel = new QLabel(qs("月齢"));
  ageLabel->setAlignment(Qt::AlignHCenter);
  v->addWidget(ageLabel);
  v->addWidget(bindCheck("Check1"), 0, Qt::AlignHCenter);
  auto* calcRow = new QHBoxLayout;
  calcRow->addWidget(commandButton("Command1"));
  calcRow->addWidget(commandButton("Command17"));
  v->addSpacing(4);
  v->addLayout(calcRow);
  return w;
}

QWidget* MainWindow::buildResultsGroup() {
  auto* box = new QGroupBox(qs("推算結果"));
  box->setObjectName("results");
  results_ = box;
  auto* grid = compact(new QGridLayout(box));
  QFont mono("Noto Sans Mono CJK JP");
  mono.setStyleHint(QFont::Monospace);
  int row = 0;
  for (Field f : kResults) {
    grid->addWidget(label(f), row, 0);
    // The reference date may also be typed in: any Julian Day will do.
    QLineEdit* e = bindField(f, f == Field::ReferenceDate, 0);
    e->setMinimumWidth(148);
    e->setFont(mono);
    grid->addWidget(e, row, 1);
    if (f == Field::MoonAge) grid->addWidget(new QLabel(qs("(月齢)")), row, 2);
    ++row;
  }
  grid->setRowStretch(row, 1);
  return box;
}

// The three outputs with their buttons, the graph's series and the export
// file's name, compact.
QWidget* MainWindow::buildOutputGroup() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  grid->addWidget(bindCheck("Check4"), 0, 0);
  grid->addWidget(commandButton("Command23"), 0, 1);
  grid->addWidget(commandButton("Command24"), 0, 2);
  grid->addWidget(bindCheck("Check2"), 1, 0);
  grid->addWidget(commandButton("Command27"), 1, 1);
  grid->addWidget(commandButton("Command28"), 1, 2);
  auto* series = new QGroupBox(qs(commandNamed("Frame4").control.caption));
  series->setObjectName("Frame4");
  hint(series, "Frame4");
  auto* seriesRow = new QHBoxLayout(series);
  seriesRow->setContentsMargins(6, 2, 6, 2);
  for (const ControlGroup& g : controlGroups())
    if (std::string(g.frame) == "Frame4")
      for (const char* member : g.members) seriesRow->addWidget(bindCheck(member));
  seriesRow->addStretch();
  grid->addWidget(series, 2, 0, 1, 3);
  grid->addWidget(bindCheck("Check5"), 3, 0);
  grid->addWidget(commandButton("Command29"), 3, 1, 1, 2);
  auto* fileName = new ExportFileLabel(main_.outputs().file());
  hint(fileName, "Label19");
  grid->addWidget(fileName, 4, 0, 1, 3);
  return box;
}

void MainWindow::hint(QWidget* w, const std::string& controlName) {
  hints_[w] = controlName;
  w->installEventFilter(this);
  if (const char* text = guidanceOf(controlName)) w->setToolTip(qs(text));
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

// A check box or option button shows the state the command table binds it
// to; a click runs its command, and the form then says what holds.
void MainWindow::wireBound(QAbstractButton* b, const char* name) {
  const Binding binding = commandNamed(name).binding;
  b->setObjectName(qs(name));
  clickWithoutFocus(b);
  hint(b, name);
  const std::string command = name;
  connect(b, &QAbstractButton::clicked, this, [this, command, binding, b] {
    runCommand(command);
    b->setChecked(isOn(binding));
  });
}

bool MainWindow::isOn(Binding b) const {
  const FormModel& f = main_.form();
  switch (b.kind) {
    case Binding::Kind::Tick:
      return f.tick(static_cast<Tick>(b.id));
    case Binding::Kind::Check:
      return f.check(static_cast<Check>(b.id)) == 1;
    case Binding::Kind::Option:
      return f.option(static_cast<Option>(b.id));
    case Binding::Kind::None:
      break;
  }
  return false;
}

QCheckBox* MainWindow::bindCheck(const char* name) {
  const Command& c = commandNamed(name);
  auto* box = new QCheckBox(qs(c.control.caption));
  wireBound(box, name);
  checks_[static_cast<Check>(c.binding.id)] = box;
  return box;
}

QRadioButton* MainWindow::bindOption(const char* name) {
  const Command& c = commandNamed(name);
  auto* b = new QRadioButton(qs(c.control.caption));
  b->setAutoExclusive(false);  // the form keeps the groups
  wireBound(b, name);
  options_[static_cast<Option>(c.binding.id)] = b;
  return b;
}

QPushButton* MainWindow::commandButton(const std::string& name) {
  auto* b = new QPushButton(qs(commandNamed(name).control.caption));
  b->setObjectName(qs(name));
  clickWithoutFocus(b);
  hint(b, name);
  connect(b, &QPushButton::clicked, this, [this, name] { runCommand(name); });
  buttons_[name] = b;
  return b;
}

QWidget* MainWindow::spinnerPair(Field f) {
  const std::string name = fieldInfo(f).spinner.name;
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
    b->setFocusPolicy(Qt::NoFocus);
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

void MainWindow::addFamily(std::unique_ptr<WindowFamily> family) {
  families_.push_back(std::move(family));
}

QWidget* MainWindow::existing(Win w) const {
  for (const auto& f : families_)
    if (QWidget* x = f->existing(w)) return x;
  return nullptr;
}

void MainWindow::show(Win w) {
  if (w == Win::Settings) {
    // Modal like the site editor; its changes reach the form at once.
    SettingsWindow dialog(settings_, this);
    dialog.exec();
    return;
  }
  if (w == Win::SiteEditor) {
    // Modal: the main window takes no input, and no tick runs, until the
    // editor is hidden.
    SiteEditorDialog dialog(main_.siteEditor(), main_.ui(), this);
    dialog.exec();
    return;
  }
  for (const auto& f : families_)
    if (f->open(w)) return;
}

void MainWindow::help(HelpPage page) {
  if (!help_) help_ = std::make_unique<HelpWindow>(findHelpFile());
  if (!help_->ready()) {
    const std::string why = help_->error().toStdString();
    help_.reset();  // looked for again next time
    main_.ui().message(kTitleText, why, Tone::Warning);
    return;
  }
  if (page == HelpPage::Contents) {
    help_->showContents();
  } else {
    help_->showSearch();
  }
}

void MainWindow::placeOnScreen() {
  const QRect area = screen()->availableGeometry();
  // Room for the title bar and the borders the window system adds.
  const QSize frame(12, 36);
  const QSize size = sizeHint().boundedTo(area.size() - frame);
  resize(size);
  move(area.x() + (area.width() - size.width() - frame.width()) / 2,
       area.y() + (area.height() - size.height() - frame.height()) / 2);
}

void MainWindow::closeMain() { close(); }

void MainWindow::refreshSites() {
  combo_->clear();
  for (const std::string& n : main_.sites().names()) combo_->addItem(qs(n));
  combo_->setCurrentIndex(main_.sites().selected());
}

void MainWindow::onModelChange(const Change& c) {
  const FormModel& form = main_.form();
  switch (c.kind) {
    case Change::Kind::Field: {
      const Field f = static_cast<Field>(c.id);
      // The picture reads the phase and the fraction, whoever wrote them
      // (a cleared result shows a new moon).
      if (f == Field::Phase || f == Field::Illumination) picture_->update();
      auto it = fields_.find(f);
      if (it == fields_.end()) return;
      const QString text = qs(form.text(f));
      if (it->second->text() != text) it->second->setText(text);
      break;
    }
    case Change::Kind::Check: {
      auto it = checks_.find(static_cast<Check>(c.id));
      if (it != checks_.end()) it->second->setChecked(form.check(it->first) == 1);
      break;
    }
    case Change::Kind::Option: {
      auto it = options_.find(static_cast<Option>(c.id));
      if (it != options_.end()) it->second->setChecked(form.option(it->first));
      break;
    }
    case Change::Kind::Tick: {
      const Tick t = static_cast<Tick>(c.id);
      auto it = tickActions_.find(t);
      if (it != tickActions_.end())
        for (QAction* a : it->second) a->setChecked(form.tick(t));
      if (t == Tick::guid) {
        // The line is added below everything else: the window grows by it,
        // as far as the screen allows, rather than scroll its fields away.
        const bool growing = form.tick(t) && !guidance_->isVisible() && isVisible() &&
                             !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        guidance_->setVisible(form.tick(t));
        if (growing) {
          const int extra = guidance_->sizeHint().height() + centralWidget()->layout()->spacing();
          const QRect area = screen()->availableGeometry();
          const int room = area.bottom() - frameGeometry().bottom();
          if (room < extra) move(x(), std::max(area.top(), y() - (extra - room)));
          resize(width(),
                 std::min(height() + extra, area.height() - (frameGeometry().height() - height())));
        }
      }
      break;
    }
  }
}

void MainWindow::showEntrySign() {
  const EntrySign& sign = main_.entrySign();
  QLineEdit* now = sign.field == Field{} ? nullptr : field(sign.field);
  if (marked_ && marked_ != now) {
    marked_->setPalette(QPalette());
    marked_->setToolTip(qs(guidanceOf(marked_->objectName().toStdString())));
  }
  if (now) {
    QPalette red = now->palette();
    red.setColor(QPalette::Text, QColor(204, 0, 0));
    now->setPalette(red);
    now->setToolTip(qs(sign.text));
  }
  marked_ = now;
  // In the heading, so that the window keeps its height.
  results_->setStyleSheet(sign.staleResults ? "QGroupBox::title { color: rgb(192, 0, 0); }" : "");
  results_->setTitle(qs(std::string("推算結果") + (sign.staleResults ? kStaleResultsText : "")));
}

void MainWindow::redrawPhase() { picture_->repaint(); }

void MainWindow::repaintFields(std::initializer_list<Field> fields) {
  for (Field f : fields) {
    auto it = fields_.find(f);
    if (it != fields_.end()) it->second->repaint();
  }
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // Every subsidiary window closes first, storing its place and switching
  // off its own output; on No they stay closed.
  for (Win w : kClosingOrder)
    if (QWidget* x = existing(w)) x->close();
  if (!askBeforeClosing_ || main_.confirmExit()) {
    main_.continuous().stop();
    if (help_) help_->close();
    e->accept();
  } else {
    e->ignore();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::Enter) {
    auto it = hints_.find(watched);
    if (it != hints_.end()) main_.hover(it->second);
  } else if (e->type() == QEvent::KeyPress) {
    if (auto* line = qobject_cast<QLineEdit*>(watched))
      if (fieldKey(line, static_cast<QKeyEvent*>(e))) return true;
  }
  if (e->type() == QEvent::FocusOut && watched == clickedField_) clickedField_ = nullptr;
  // The first click into an input field (since it took the focus) selects
  // its whole text, so that typing replaces it, and opens the keypad beside
  // the field's group.
  // Further clicks in the field place the text cursor, as in any field.
  if (e->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const FieldInfo* f =
        edit && !edit->isReadOnly() ? findField(edit->objectName().toStdString()) : nullptr;
    if (f && clickedField_ != edit) {
      clickedField_ = edit;
      edit->setFocus(Qt::MouseFocusReason);
      edit->selectAll();
      if (main_.keypad().openFor(f->field)) show(Win::Keypad);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

bool MainWindow::fieldKey(QLineEdit* e, QKeyEvent* k) {
  if (e->isReadOnly() || (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const auto it = std::find_if(fields_.begin(), fields_.end(),
                               [e](const auto& entry) { return entry.second == e; });
  if (it == fields_.end()) return false;
  const Field f = it->first;
  switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      main_.confirm(f, e->text().toStdString());
      e->selectAll();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const char* spinner = fieldInfo(f).spinner.name;
      if (!spinner) return false;
      commitEditing();
      main_.spin(spinner, k->key() == Qt::Key_Up ? +1 : -1);
      e->selectAll();
      return true;
    }
    default:
      return false;
  }
}

void MainWindow::hoverOver(QWidget* w) {
  for (; w && w != this; w = w->parentWidget()) {
    auto it = hints_.find(w);
    if (it != hints_.end()) {
      main_.hover(it->second);
      return;
    }
    // The menu bar and the guidance line itself are not the background.
    if (w == menuBar() || w == guidance_) return;
  }
  main_.hover("");  // the bare background
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
