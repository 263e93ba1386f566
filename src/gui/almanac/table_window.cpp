#include "gui/almanac/table_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <set>

#include "gui/common/command_controls.h"
#include "gui/common/texts.h"

namespace velmar {

CellsModel::CellsModel(const std::vector<std::string>& titles, QObject* parent)
    : QAbstractTableModel(parent) {
  for (const std::string& t : titles) titles_.push_back(QString::fromStdString(t));
}

void CellsModel::reload() {
  beginResetModel();
  cells_.clear();
  for (size_t r = 0; r < panelRows(); ++r) {
    std::vector<QString> row;
    for (const std::string& c : panelCells(r)) row.push_back(QString::fromStdString(c));
    cells_.push_back(std::move(row));
  }
  endResetModel();
}

int CellsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int CellsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

bool CellsModel::holds(const QModelIndex& index) const {
  return index.isValid() && index.row() < rowCount() && index.column() < columnCount();
}

QVariant CellsModel::data(const QModelIndex& index, int role) const {
  if (!holds(index) || role != Qt::DisplayRole) return {};
  return cells_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
}

QVariant CellsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= columnCount())
    return {};
  return titles_[static_cast<size_t>(section)];
}

void AlmanacTable::keyPressEvent(QKeyEvent* e) {
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentIndex().isValid()) {
    if (onChosen) onChosen(currentIndex());
    e->accept();
    return;
  }
  QTableView::keyPressEvent(e);
}

TableWindow::TableWindow(MainForm& main, Win which, const char* objectName,
                         const std::string& title)
    : ToolWindow(main.placements(), which, Stacking::Normal), main_(main) {
  setObjectName(objectName);
  setWindowTitle(QString::fromStdString(title));
}

void TableWindow::showPanel(TablePanel& panel) {
  panel_ = &panel;
  keepPlacementWith({[&panel](float w, float h) { return panel.placement(w, h); },
                     [&panel](const WindowPlacement& p) { panel.keepPlacement(p); }});
  panel.onClose = [this] { close(); };
}

QVBoxLayout* TableWindow::makeColumn() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 6, 8, 6);
  column->setSpacing(4);
  return column;
}

QHBoxLayout* TableWindow::makeBar() {
  auto* bar = new QHBoxLayout;
  bar->setSpacing(4);
  return bar;
}

QLabel* TableWindow::makeHeading(const char* objectName) {
  heading_ = new QLabel;
  heading_->setObjectName(objectName);
  heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return heading_;
}

QPushButton* TableWindow::makeButton(CommandBinder& binder, Cmd c) {
  QPushButton* b = binder.button(command(c).facesOf(Face::Control).front()->name);
  b->setAutoDefault(false);
  // The command's shortcut works in this window only: its action is here.
  QAction* a = binder.actions().action(c);
  if (!a->shortcut().isEmpty()) {
    addAction(a);
    b->setToolTip(a->shortcut().toString(QKeySequence::NativeText));
  }
  buttons_[c] = b;
  return b;
}

QPushButton* TableWindow::button(Cmd c) const {
  auto it = buttons_.find(c);
  return it == buttons_.end() ? nullptr : it->second;
}

AlmanacTable* TableWindow::makeTable(const char* objectName, QAbstractItemModel* model,
                                     QAbstractItemView::SelectionBehavior behavior,
                                     QAbstractItemView::SelectionMode mode, bool fixedRowHeight) {
  table_ = new AlmanacTable;
  table_->setObjectName(objectName);
  table_->setModel(model);
  table_->setSelectionBehavior(behavior);
  table_->setSelectionMode(mode);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->setAlternatingRowColors(true);
  table_->setTabKeyNavigation(false);
  table_->verticalHeader()->hide();
  if (fixedRowHeight) {
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  }
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->onChosen = [this](const QModelIndex& i) { choose(i); };
  // A plain click goes to the instant; with Shift or Ctrl it only selects.
  connect(table_, &QTableView::clicked, this, [this](const QModelIndex& i) {
    if (QApplication::keyboardModifiers() == Qt::NoModifier) choose(i);
  });
  return table_;
}

void TableWindow::copyRowsWith(std::function<std::string(const std::vector<size_t>&)> text) {
  copyText_ = std::move(text);
  auto* copy = new QAction(this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QAction::triggered, this, &TableWindow::copySelection);
  table_->addAction(copy);
}

void TableWindow::copySelection() {
  if (!copyText_) return;
  std::set<size_t> rows;
  for (const QModelIndex& i : table_->selectionModel()->selectedIndexes())
    rows.insert(static_cast<size_t>(i.row()));
  const std::string text = copyText_(std::vector<size_t>(rows.begin(), rows.end()));
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TableWindow::showEvent(QShowEvent* e) {
  ToolWindow::showEvent(e);
  if (panel_) panel_->setShown(true);
  table_->setFocus();
}

void TableWindow::hideEvent(QHideEvent* e) {
  if (panel_) panel_->setShown(false);
  ToolWindow::hideEvent(e);
}

QComboBox* makeDeltaTChoice(QWidget* owner, const char* objectName,
                            std::function<void(AlmanacDeltaT)> chosen) {
  auto* box = new QComboBox;
  box->setObjectName(objectName);
  box->addItem(QString::fromUtf8(texts::kAlmanacMeasuredDeltaT));
  box->addItem(QString::fromUtf8(texts::kAlmanacMainDeltaT));
  QObject::connect(box, qOverload<int>(&QComboBox::activated), owner,
                   [chosen = std::move(chosen)](int i) {
                     chosen(i == 0 ? AlmanacDeltaT::Measured : AlmanacDeltaT::MainWindow);
                   });
  return box;
}

void showDeltaTChoice(QComboBox* box, AlmanacDeltaT choice) {
  box->setCurrentIndex(choice == AlmanacDeltaT::Measured ? 0 : 1);
}

}  // namespace velmar
