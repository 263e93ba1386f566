#include "gui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/captions.h"
#include "app/commands.h"
#include "engine/numtext.h"
#include "gui/common/texts.h"
#include "gui/almanac/almanac_window.h"
#include "gui/almanac/year_view_window.h"
#include "gui/almanac/eclipse_window.h"
#include "gui/common/tool_window.h"
#include "gui/common/twips.h"
#include "gui/config/settings_dialog.h"
#include "gui/config/site_editor_dialog.h"
#include "gui/main/batch_progress.h"
#include "gui/main/help_window.h"
#include "gui/output/export_label.h"
#include "gui/output/output_windows.h"
#include "gui/views/phase_picture.h"
#include "gui/views/view_windows.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return qtext(s); }
QString qs(Text t) { return qtext(t); }

// The results in the order a reader scans them: time, Sun, Moon.
constexpr Field kResults[] = {
    Field::JulianDay,      Field::SunLongitude, Field::SunDistance, Field::MoonLongitude,
    Field::MoonLatitude,   Field::MoonDistance, Field::Phase,       Field::Illumination,
    Field::RightAscension, Field::Declination,  Field::Azimuth,     Field::Altitude,
    Field::ReferenceDate,  Field::MoonAge,
};

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
  actions_ = new CommandActions(main_, this);
  actions_->beforeMainCommand = [this] { commitEditing(); };
  binder_ = std::make_unique<CommandBinder>(*actions_, true);
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
  guidance_->setObjectName("guidanceLabel");
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
  // The keypad gone (OK, Escape or its close box) while the field kept the
  // focus: the next click on the field is a first click again and brings
  // the keypad back.
  keypadChanges_ = Connection(main_.keypad().changed(), main_.keypad().changed().connect([this] {
    if (!main_.keypad().shown()) clickedField_ = nullptr;
  }));
  drawId_ = main_.onDraw([this] { picture_->update(); }, ViewStage::Phase);
  main_.setSearchProgress(this);
  main_.attachWindows(this);
  addFamily(std::make_unique<OutputWindows>(main_));
  addFamily(std::make_unique<ViewWindows>(main_, *this));
  // "一括推算"'s progress, shown while a batch runs.
  new BatchProgress(main_, this);
  addFamily(std::make_unique<AlmanacWindows>(main_));
  addFamily(std::make_unique<YearViewWindows>(main_));
  addFamily(std::make_unique<EclipseWindows>(main_));

  // Show what the model holds already.
  for (auto& [f, w] : fields_) w->setText(qs(form.text(f)));
  actions_->refresh();
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

void MainWindow::buildMenus() {
  for (const MenuLayout& layout : menuLayout()) {
    QMenu* menu = menuBar()->addMenu(qs(layout.caption));
    menu->setObjectName(qs(layout.name));
    for (const std::optional<Cmd>& item : layout.items) {
      if (item) {
        binder_->menuItem(menu, *item);
      } else {
        menu->addSeparator();
      }
    }
  }
}

void MainWindow::buildToolbar() {
  QToolBar* bar = addToolBar(qs(Text::Toolbar));
  bar->setObjectName(captions()[static_cast<size_t>(Text::Toolbar)].name);
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // The pictures are drawn on a 16-pixel grid: sharp at 16 and, on a
  // screen of twice the density, at 32 device pixels.
  bar->setIconSize(QSize(16, 16));
  for (const std::optional<Cmd>& item : toolbarLayout()) {
    if (!item) {
      bar->addSeparator();
      continue;
    }
    QAction* a = binder_->toolButton(bar, *item);
    const std::string name = command(*item).tool()->name;
    // The action is the menu item's too: the button, not the action, tells
    // the guidance line that the pointer is over the toolbar.
    if (QWidget* button = bar->widgetForAction(a)) {
      button->setObjectName(qs(name));
      hints_[button] = name;
      button->installEventFilter(this);
    }
    toolActions_[name] = a;
  }
}

QLabel* MainWindow::label(Field f) { return new QLabel(qs(fieldInfo(f).label)); }

QWidget* MainWindow::buildDateTimeGroup() {
  auto* box = new QGroupBox(qs(Text::DateTimeFrame));
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
  dtRow->addWidget(new QLabel(qs(Text::SecondsUnit)));
  dtRow->addSpacing(8);
  dtRow->addWidget(bindCheck("autoDeltaTCheck"));
  dtRow->addStretch();
  grid->addLayout(dtRow, 2, 0, 1, 9);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(commandButton("nowButton"));
  buttons->addWidget(commandButton("todayButton"));
  buttons->addWidget(commandButton("adjustButton"));
  buttons->addStretch();
  grid->addLayout(buttons, 3, 0, 1, 9);
  return box;
}

QWidget* MainWindow::buildSiteGroup() {
  auto* box = new QGroupBox(qs(Text::SiteFrame));
  auto* grid = compact(new QGridLayout(box));
  combo_ = new QComboBox;
  combo_->setObjectName(captions()[static_cast<size_t>(Text::SiteFrame)].name);
  combo_->setMinimumWidth(160);
  clickWithoutFocus(combo_);
  hint(combo_, combo_->objectName().toStdString());
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

QGroupBox* MainWindow::frame(const ControlGroup& group) {
  const Caption& c = captions()[static_cast<size_t>(group.frame)];
  auto* f = new QGroupBox(qs(c.caption));
  f->setObjectName(qs(c.name));
  hint(f, c.name);
  for (Cmd member : group.members) {
    const FaceDef* face = command(member).facesOf(Face::Control).front();
    if (command(member).binding.kind == Binding::Kind::Option) {
      framed_.push_back(bindOption(face->name));
    } else {
      framed_.push_back(bindCheck(face->name));
    }
  }
  return f;
}

QWidget* MainWindow::optionFrame(Text t) {
  for (const ControlGroup& g : controlGroups()) {
    if (g.frame != t) continue;
    framed_.clear();
    QGroupBox* f = frame(g);
    auto* h = compact(new QHBoxLayout(f));
    for (QWidget* w : framed_) h->addWidget(w);
    h->addStretch();
    return f;
  }
  return nullptr;
}

QWidget* MainWindow::buildLoopGroup() {
  auto* box = new QGroupBox(qs(Text::LoopFrame));
  auto* v = compact(new QVBoxLayout(box));
  auto* top = new QHBoxLayout;
  top->addWidget(optionFrame(Text::SpeedFrame));
  top->addWidget(optionFrame(Text::DirectionFrame));
  v->addLayout(top);
  v->addWidget(optionFrame(Text::TargetFrame));
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
  buttons->addWidget(commandButton("startLoopButton"));
  buttons->addWidget(commandButton("stopLoopButton"));
  buttons->addSpacing(12);
  buttons->addWidget(commandButton("stepDownButton"));
  buttons->addWidget(commandButton("stepUpButton"));
  buttons->addStretch();
  v->addLayout(buttons);
  return box;
}

QWidget* MainWindow::buildMoonGroup() {
  auto* w = new QWidget;
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 6, 0, 0);
  v->setSpacing(3);
  picture_ = new PhasePicture(main_.calculator());
  picture_->setObjectName("phasePicture");
  picture_->onClick = [this] { actions_->run(Cmd::MoonAge, true); };
  picture_->onDoubleClick = [this] { actions_->run(Cmd::AutoRebaseOn, true); };
  picture_->onHover = [this] { main_.hover("phasePicture"); };
  hints_[picture_] = "phasePicture";
  v->addWidget(picture_, 0, Qt::AlignHCenter);
  auto* ageLabel = new QLabel(qs(Text::AgeLabel));
  ageLabel->setAlignment(Qt::AlignHCenter);
  v->addWidget(ageLabel);
  v->addWidget(bindCheck("autoRebaseCheck"), 0, Qt::AlignHCenter);
  auto* calcRow = new QHBoxLayout;
  calcRow->addWidget(commandButton("calcButton"));
  calcRow->addWidget(commandButton("clearResultsButton"));
  v->addSpacing(4);
  v->addLayout(calcRow);
  return w;
}

QWidget* MainWindow::buildResultsGroup() {
  auto* box = new QGroupBox(qs(Text::ResultsFrame));
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
    if (f == Field::MoonAge) grid->addWidget(new QLabel(qs(Text::AgeUnit)), row, 2);
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
  grid->addWidget(bindCheck("tableOutputCheck"), 0, 0);
  grid->addWidget(commandButton("showTableButton"), 0, 1);
  grid->addWidget(commandButton("clearTableButton"), 0, 2);
  grid->addWidget(bindCheck("graphOutputCheck"), 1, 0);
  grid->addWidget(commandButton("showGraphButton"), 1, 1);
  grid->addWidget(commandButton("clearGraphButton"), 1, 2);
  framed_.clear();
  QGroupBox* series = frame(controlGroups()[3]);
  auto* seriesRow = new QHBoxLayout(series);
  seriesRow->setContentsMargins(6, 2, 6, 2);
  for (QWidget* w : framed_) seriesRow->addWidget(w);
  seriesRow->addStretch();
  grid->addWidget(series, 2, 0, 1, 3);
  grid->addWidget(bindCheck("fileOutputCheck"), 3, 0);
  grid->addWidget(commandButton("exportFileButton"), 3, 1, 1, 2);
  auto* fileName = new ExportFileLabel(main_.outputs().file());
  hint(fileName, captions()[static_cast<size_t>(Text::ExportFileName)].name);
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

// A check box or option button shows its action's state; a click runs its
// command, and the form then says what holds.
QCheckBox* MainWindow::bindCheck(const char* name) {
  QCheckBox* box = binder_->checkBox(name);
  clickWithoutFocus(box);
  hint(box, name);
  checks_[static_cast<Check>(findCommand(name)->command->binding.id)] = box;
  return box;
}

QRadioButton* MainWindow::bindOption(const char* name) {
  QRadioButton* b = binder_->optionButton(name);
  clickWithoutFocus(b);
  hint(b, name);
  options_[static_cast<Option>(findCommand(name)->command->binding.id)] = b;
  return b;
}

QPushButton* MainWindow::commandButton(const std::string& name) {
  QPushButton* b = binder_->button(name.c_str());
  clickWithoutFocus(b);
  hint(b, name);
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
    SettingsWindow dialog(settings_, *actions_, this);
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
  if (page == HelpPage::DataFolder) {
    // The program works in its data folder (see data_folder.h).
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::currentPath())))
      main_.ui().message(
          kTitleText,
          texts::kNoFileManager + QDir::currentPath().toStdString() + texts::kNoFileManagerEnd,
          Tone::Warning);
    return;
  }
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
    case Change::Kind::Check:
    case Change::Kind::Option:
      break;  // the actions show them
    case Change::Kind::Tick: {
      const Tick t = static_cast<Tick>(c.id);
      if (t == Tick::guid) {
        // The line is added below everything else: the window grows by it,
        // as far as the screen allows, rather than scroll its fields away.
        const bool free =
            isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        const bool growing = free && form.tick(t) && !guidance_->isVisible();
        // Off again, the window gives the line's room back: off and on
        // leaves it as it was.
        const bool shrinking = free && !form.tick(t) && guidance_->isVisible();
        const int extra = guidance_->sizeHint().height() + centralWidget()->layout()->spacing();
        guidance_->setVisible(form.tick(t));
        if (shrinking) resize(width(), std::max(minimumSizeHint().height(), height() - extra));
        if (growing) {
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
  results_->setTitle(qs(Text::ResultsFrame) +
                     (sign.staleResults ? qs(kStaleResultsText) : QString()));
}

void MainWindow::redrawPhase(const astro::Reduced& step) {
  picture_->showStep(step);
  picture_->repaint();
}

void MainWindow::repaintFields(const InstantSteps& at, std::initializer_list<Field> fields) {
  for (Field f : fields) {
    auto it = fields_.find(f);
    if (it == fields_.end()) continue;
    it->second->setText(qs(formatPlain(at.value(f))));
    it->second->repaint();
  }
}

void MainWindow::searchEnded() {
  picture_->showStep(std::nullopt);
  picture_->update();
  const FormModel& form = main_.form();
  for (Field f : kInstantFields) {
    auto it = fields_.find(f);
    if (it != fields_.end()) it->second->setText(qs(form.text(f)));
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

// Keys no field took: with no field in focus (after a click on the time
// pad's change field) they work the keypad; Escape, from anywhere in the
// window, closes it.
void MainWindow::keyPressEvent(QKeyEvent* e) {
  if ((!focusWidget() || e->key() == Qt::Key_Escape) && KeypadWindow::takeKey(main_.keypad(), e))
    return;
  QMainWindow::keyPressEvent(e);
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
  auto it = toolActions_.find(name);
  if (it != toolActions_.end()) return it->second;
  const std::optional<CommandRef> ref = findCommand(name);
  return ref && ref->face->face == Face::Menu ? actions_->action(ref->command->id) : nullptr;
}

}  // namespace velmar
