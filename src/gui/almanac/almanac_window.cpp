#include "gui/almanac/almanac_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/command_controls.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s ? s : ""); }

// Today stands out from the other days.
const QColor kTodayBackground(255, 241, 168);

}  // namespace

// --- the model -----------------------------------------------------------------

AlmanacModel::AlmanacModel(AlmanacPanel& panel, QObject* parent)
    : CellsModel({almanacTitles().begin(), almanacTitles().end()}, parent), panel_(panel) {
  reload();
}

QVariant AlmanacModel::data(const QModelIndex& index, int role) const {
  if (!holds(index)) return {};
  const size_t row = static_cast<size_t>(index.row());
  const auto column = static_cast<AlmanacColumn>(index.column());
  const bool today = panel_.todayRow() == row;
  switch (role) {
    case Qt::DisplayRole:
      return CellsModel::data(index, role);
    case Qt::ToolTipRole: {
      const std::string d = panel_.detail(row, column);
      return d.empty() ? QVariant() : QVariant(qs(d));
    }
    case Qt::TextAlignmentRole:
      return column == AlmanacColumn::Events
                 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                 : QVariant(column == AlmanacColumn::Date ? Qt::AlignLeft | Qt::AlignVCenter
                                                          : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return today ? QVariant(kTodayBackground) : QVariant();
    case Qt::ForegroundRole:
      return today ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::FontRole:
      if (today) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    default:
      return {};
  }
}

// --- the window ----------------------------------------------------------------

AlmanacWindow::AlmanacWindow(MainForm& main)
    : TableWindow(main, Win::Almanac, "Almanac", almanacText(AlmanacText::Title)), panel_(main) {
  showPanel(panel_);

  QVBoxLayout* column = makeColumn();

  // The month and the way through the months; the outputs on the right.
  QHBoxLayout* bar = makeBar();
  auto* monthLabel = new QLabel(qs(almanacText(AlmanacText::MonthLabel)));
  picker_ = new QDateEdit;
  picker_->setObjectName("AlmanacMonth");
  picker_->setDisplayFormat(qs(almanacText(AlmanacText::MonthFormat)));
  picker_->setDateRange(QDate(almanac::kFirstYear, 1, 1), QDate(almanac::kLastYear, 12, 31));
  // A year being typed digit by digit is not yet a month to show.
  picker_->setKeyboardTracking(false);
  monthLabel->setBuddy(picker_);
  connect(picker_, &QDateEdit::dateChanged, this,
          [this](const QDate& d) { panel_.showMonth(d.year(), d.month()); });
  bar->addWidget(monthLabel);
  bar->addWidget(picker_);
  CommandBinder binder(CommandActions::of(main_, this), false);
  bar->addWidget(makeButton(binder, Cmd::AlmanacPreviousMonth));
  bar->addWidget(makeButton(binder, Cmd::AlmanacNextMonth));
  bar->addWidget(makeButton(binder, Cmd::AlmanacFollowDate));
  deltaT_ = makeDeltaTChoice(this, "AlmanacDeltaT",
                             [this](AlmanacDeltaT choice) { panel_.setDeltaTChoice(choice); });
  showDeltaTChoice(deltaT_, panel_.deltaTChoice());
  bar->addWidget(deltaT_);
  bar->addStretch();
  bar->addWidget(makeButton(binder, Cmd::OpenYearView));
  bar->addWidget(makeButton(binder, Cmd::AlmanacExport));
  bar->addWidget(makeButton(binder, Cmd::AlmanacPrint));
  bar->addWidget(makeButton(binder, Cmd::AlmanacClose));
  column->addLayout(bar);

  column->addWidget(makeHeading("AlmanacHeading"));

  model_ = new AlmanacModel(panel_, this);
  column->addWidget(makeTable("AlmanacTable", model_, QAbstractItemView::SelectItems,
                              QAbstractItemView::ExtendedSelection, true),
                    1);
  copyRowsWith([this](const std::vector<size_t>& rows) { return panel_.copyText(rows); });

  auto* observed = new QGroupBox(qs(almanacText(AlmanacText::PanelTitle)));
  observed->setObjectName("AlmanacObserved");
  auto* values = new QHBoxLayout(observed);
  values->setContentsMargins(8, 2, 8, 4);
  values->setSpacing(6);
  for (const auto& [label, value] : panel_.observedLines()) {
    values->addWidget(new QLabel(qs(label)));
    auto* v = new QLabel(qs(value));
    v->setTextInteractionFlags(Qt::TextSelectableByMouse);
    values->addWidget(v);
    values->addSpacing(14);
    observedValues_.push_back(v);
  }
  values->addStretch();
  column->addWidget(observed);

  monthChanges_ =
      Connection(panel_.monthChanged(), panel_.monthChanged().connect([this] { monthShown(); }));
  observedChanges_ = Connection(panel_.observedChanged(),
                                panel_.observedChanged().connect([this] { observedShown(); }));
  monthShown();
  observedShown();
  setTabOrder(picker_, table_);
}

AlmanacWindow::~AlmanacWindow() { panel_.onClose = nullptr; }

void AlmanacWindow::monthShown() {
  {
    const QSignalBlocker quiet(picker_);
    picker_->setDate(QDate(panel_.year(), panel_.month(), 1));
  }
  // The choice may have been changed in the year view.
  showDeltaTChoice(deltaT_, panel_.deltaTChoice());
  heading_->setText(qs(panel_.heading()));
  // The cell being worked on stays where it was, on the day of the same
  // number, as far as the new month has it.
  const QModelIndex was = table_->currentIndex();
  model_->reload();
  table_->resizeColumnsToContents();
  // The current cell moves without selecting: Ctrl+C copies the whole
  // month until the user selects rows.
  if (was.isValid()) {
    const int row = std::min(was.row(), model_->rowCount() - 1);
    table_->selectionModel()->setCurrentIndex(model_->index(row, was.column()),
                                              QItemSelectionModel::NoUpdate);
  } else {
    scrollToToday();
  }
}

void AlmanacWindow::scrollToToday() {
  if (const std::optional<size_t> today = panel_.todayRow()) {
    const QModelIndex i = model_->index(static_cast<int>(*today), 0);
    table_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
    table_->scrollTo(i);
  }
}

void AlmanacWindow::observedShown() {
  const auto lines = panel_.observedLines();
  for (size_t i = 0; i < lines.size() && i < observedValues_.size(); ++i)
    observedValues_[i]->setText(qs(lines[i].second));
}

void AlmanacWindow::choose(const QModelIndex& index) {
  if (!index.isValid()) return;
  if (!panel_.activate(static_cast<size_t>(index.row()),
                       static_cast<AlmanacColumn>(index.column())))
    main_.ui().beep();
}

}  // namespace velmar
