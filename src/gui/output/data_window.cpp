#include "gui/output/data_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/fixed_font.h"
#include "gui/common/twips.h"
#include "output/data_table.h"

namespace velmar {

namespace {

constexpr double kColumnTwips = 1000;
// The list's font size, points: the size the window is designed for.
constexpr double kListPoints = 9;

}  // namespace

DataWindow::DataWindow(MainForm& main) : OutputWindow(main, Win::Data) {
  setObjectName("dataWindow");
  setWindowTitle(QString::fromUtf8(kDataTitle));
  const Twips twips = Twips::of(this);
  QVBoxLayout* column = columnUnderButtons(
      {"dataWindow.eraseButton", "dataWindow.printButton", "dataWindow.restoreButton",
       "dataWindow.startInputButton", "dataWindow.stopInputButton", "dataWindow.resumeLoopButton",
       "dataWindow.stopLoopButton", "dataWindow.spareButton", "dataWindow.closeButton"});

  model_ = new DataTableModel(main_.outputs().table(), this);
  view_ = new QTableView;
  view_->setObjectName("dataWindow.tableList");
  view_->setModel(model_);
  view_->setFont(fixedPitchFont(QString::fromUtf8(kDataFont), kListPoints));
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setShowGrid(false);
  view_->setWordWrap(false);
  view_->setTextElideMode(Qt::ElideNone);
  view_->verticalHeader()->hide();
  // One height for every row: the view never measures the rows, however many.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  QHeaderView* header = view_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setHighlightSections(false);
  // 1000 twips, or wide enough for "2001/03/09" in this font.
  const int width = std::max(twips.toWholePixels(kColumnTwips),
                             view_->fontMetrics().horizontalAdvance("0000/00/00") + 10);
  for (int c = 0; c < kTableColumns; ++c) view_->setColumnWidth(c, width);
  column->addWidget(view_, 1);

  // New rows come into sight while the list is at its end; a user reading
  // further up is left where he is.
  connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
    const QScrollBar* bar = view_->verticalScrollBar();
    followEnd_ = bar->value() == bar->maximum();
  });
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this] {
    if (followEnd_) view_->scrollToBottom();
  });

  auto* copy = new QAction(this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QAction::triggered, this, &DataWindow::copySelection);
  view_->addAction(copy);

  // A batch's rows come into the list between its slices.
  BatchRun& batch = main_.batch();
  batchEvents_ = Connection(batch.events(), batch.events().connect([this](BatchEvent e) {
    if (e == BatchEvent::Started) model_->hold(true);
    if (e == BatchEvent::Progress) model_->catchUp();
    if (e == BatchEvent::Finished) model_->hold(false);
  }));
  if (batch.active()) model_->hold(true);

  onClosed = [this] { main_.outputs().table().windowClosed(); };
}

void DataWindow::copySelection() {
  std::vector<size_t> rows;
  for (const QModelIndex& i : view_->selectionModel()->selectedRows())
    rows.push_back(static_cast<size_t>(i.row()));
  if (rows.empty()) return;
  std::sort(rows.begin(), rows.end());
  const std::string text = main_.outputs().table().copyText(rows);
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace velmar
