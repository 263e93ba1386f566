#include "gui/almanac/eclipse_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <set>

#include "astro/almanac.h"
#include "gui/common/command_controls.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s ? s : ""); }

// The list's columns and the note after them.
constexpr int kColumns = static_cast<int>(kLocalEclipseColumns) + 1;

}  // namespace

EclipseModel::EclipseModel(EclipsePanel& panel, QObject* parent)
    : QAbstractTableModel(parent), panel_(panel) {
  reload();
}

void EclipseModel::reload() {
  beginResetModel();
  cells_.clear();
  for (size_t r = 0; r < panel_.rows().size(); ++r) {
    std::vector<QString> row;
    for (const std::string& c : panel_.cells(r)) row.push_back(qs(c));
    cells_.push_back(std::move(row));
  }
  endResetModel();
}

int EclipseModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int EclipseModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant EclipseModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const size_t row = static_cast<size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return cells_[row][static_cast<size_t>(index.column())];
    case Qt::ToolTipRole:
      return qs(panel_.detail(row));
    case Qt::TextAlignmentRole:
      return index.column() == 0 || index.column() == kColumns - 1
                 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                 : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant EclipseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= columnCount())
    return {};
  if (section == kColumns - 1) return qs(eclipseText(EclipseText::Note));
  return qs(localEclipseTitles()[static_cast<size_t>(section)]);
}

EclipseWindow::EclipseWindow(MainForm& main)
    : ToolWindow(main.placements(), Win::Eclipses, Stacking::Normal), main_(main), panel_(main) {
  setObjectName("Eclipses");
  setWindowTitle(qs(eclipseText(EclipseText::Title)));
  keepPlacementWith({[this](float w, float h) { return panel_.placement(w, h); },
                     [this](const WindowPlacement& p) { panel_.keepPlacement(p); }});

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 6, 8, 6);
  column->setSpacing(4);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(4);
  year_ = new QSpinBox;
  year_->setObjectName("eclipses.yearPicker");
  year_->setRange(almanac::kFirstYear, almanac::kLastYear);
  year_->setSuffix(qs(eclipseText(EclipseText::YearSuffix)));
  year_->setKeyboardTracking(false);
  auto* from = new QLabel(qs(eclipseText(EclipseText::FromLabel)));
  span_ = new QComboBox;
  span_->setObjectName("eclipses.spanPicker");
  for (int years : EclipsePanel::spans())
    span_->addItem(QString::number(years) + qs(eclipseText(EclipseText::YearsSuffix)), years);
  auto* spanLabel = new QLabel(qs(eclipseText(EclipseText::YearsLabel)));
  spanLabel->setBuddy(span_);
  connect(year_, qOverload<int>(&QSpinBox::valueChanged), this,
          [this](int y) { panel_.showYears(y, panel_.years()); });
  connect(span_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    panel_.showYears(panel_.firstYear(), span_->itemData(i).toInt());
  });
  bar->addWidget(year_);
  bar->addWidget(from);
  bar->addSpacing(8);
  bar->addWidget(spanLabel);
  bar->addWidget(span_);
  panel_.onClose = [this] { close(); };
  CommandBinder binder(CommandActions::of(main_, this), false);
  bar->addWidget(makeButton(binder, Cmd::EclipseFollowDate));
  bar->addStretch();
  bar->addWidget(makeButton(binder, Cmd::EclipseExport));
  bar->addWidget(makeButton(binder, Cmd::EclipsePrint));
  bar->addWidget(makeButton(binder, Cmd::EclipseClose));
  column->addLayout(bar);

  heading_ = new QLabel;
  heading_->setObjectName("eclipses.heading");
  heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(heading_);

  model_ = new EclipseModel(panel_, this);
  table_ = new AlmanacTable;
  table_->setObjectName("eclipses.table");
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->setAlternatingRowColors(true);
  table_->setTabKeyNavigation(false);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->onChosen = [this](const QModelIndex& i) { choose(i); };
  connect(table_, &QTableView::clicked, this, [this](const QModelIndex& i) {
    if (QApplication::keyboardModifiers() == Qt::NoModifier) choose(i);
  });
  column->addWidget(table_, 1);

  auto* copy = new QAction(this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QAction::triggered, this, &EclipseWindow::copySelection);
  table_->addAction(copy);

  listChanges_ =
      Connection(panel_.listChanged(), panel_.listChanged().connect([this] { listShown(); }));
  listShown();
  setTabOrder(year_, span_);
  setTabOrder(span_, table_);
}

EclipseWindow::~EclipseWindow() { panel_.onClose = nullptr; }

QPushButton* EclipseWindow::makeButton(CommandBinder& binder, Cmd c) {
  QPushButton* b = binder.button(command(c).facesOf(Face::Control).front()->name);
  b->setAutoDefault(false);
  QAction* a = binder.actions().action(c);
  if (!a->shortcut().isEmpty()) {
    addAction(a);
    b->setToolTip(a->shortcut().toString(QKeySequence::NativeText));
  }
  buttons_[c] = b;
  return b;
}

QPushButton* EclipseWindow::button(Cmd c) const {
  auto it = buttons_.find(c);
  return it == buttons_.end() ? nullptr : it->second;
}

void EclipseWindow::listShown() {
  {
    const QSignalBlocker quietYear(year_);
    const QSignalBlocker quietSpan(span_);
    year_->setValue(panel_.firstYear());
    const int at = span_->findData(panel_.years());
    if (at >= 0) span_->setCurrentIndex(at);
  }
  heading_->setText(qs(panel_.heading()));
  model_->reload();
  table_->resizeColumnsToContents();
}

void EclipseWindow::choose(const QModelIndex& index) {
  if (!index.isValid()) return;
  if (!panel_.activate(static_cast<size_t>(index.row()))) main_.ui().beep();
}

void EclipseWindow::copySelection() {
  std::set<size_t> rows;
  for (const QModelIndex& i : table_->selectionModel()->selectedIndexes())
    rows.insert(static_cast<size_t>(i.row()));
  QApplication::clipboard()->setText(
      qs(panel_.copyText(std::vector<size_t>(rows.begin(), rows.end()))));
}

void EclipseWindow::showEvent(QShowEvent* e) {
  ToolWindow::showEvent(e);
  panel_.setShown(true);
  table_->setFocus();
}

void EclipseWindow::hideEvent(QHideEvent* e) {
  panel_.setShown(false);
  ToolWindow::hideEvent(e);
}

bool EclipseWindows::open(Win w) {
  if (w != Win::Eclipses) return false;
  if (!window_) window_ = std::make_unique<EclipseWindow>(main_);
  window_->open();
  window_->activateWindow();
  return true;
}

QWidget* EclipseWindows::existing(Win w) { return w == Win::Eclipses ? window_.get() : nullptr; }

}  // namespace velmar
