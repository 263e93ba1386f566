#include "gui/almanac/year_view_window.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/command_controls.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s ? s : ""); }

}  // namespace

// --- the model -----------------------------------------------------------------

YearViewModel::YearViewModel(YearViewPanel& panel, QObject* parent)
    : CellsModel({yearViewTitles().begin(), yearViewTitles().end()}, parent), panel_(panel) {
  reload();
}

std::vector<std::string> YearViewModel::panelCells(size_t row) const {
  const YearViewRow& r = panel_.rows()[row];
  return {r.cells.begin(), r.cells.end()};
}

// --- the window ----------------------------------------------------------------

YearViewWindow::YearViewWindow(MainForm& main)
    : TableWindow(main, Win::YearView, "yearView", yearViewText(YearViewText::Title)),
      panel_(main) {
  showPanel(panel_);

  QVBoxLayout* column = makeColumn();

  // The year and the way through the years, the delta T; the outputs below.
  QHBoxLayout* bar = makeBar();
  auto* yearLabel = new QLabel(qs(yearViewText(YearViewText::YearLabel)));
  picker_ = new QSpinBox;
  picker_->setObjectName("yearView.yearPicker");
  picker_->setRange(almanac::kFirstYear, almanac::kLastYear);
  // A year being typed digit by digit is not yet a year to show.
  picker_->setKeyboardTracking(false);
  yearLabel->setBuddy(picker_);
  connect(picker_, qOverload<int>(&QSpinBox::valueChanged), this,
          [this](int y) { panel_.showYear(y); });
  bar->addWidget(yearLabel);
  bar->addWidget(picker_);
  CommandBinder binder(CommandActions::of(main_, this), false);
  bar->addWidget(makeButton(binder, Cmd::YearViewPreviousYear));
  bar->addWidget(makeButton(binder, Cmd::YearViewNextYear));
  bar->addWidget(makeButton(binder, Cmd::YearViewFollowDate));
  deltaT_ = makeDeltaTChoice(this, "yearView.deltaT",
                             [this](AlmanacDeltaT choice) { panel_.setDeltaTChoice(choice); });
  bar->addWidget(deltaT_);
  bar->addStretch();
  column->addLayout(bar);

  column->addWidget(makeHeading("yearView.heading"));

  model_ = new YearViewModel(panel_, this);
  column->addWidget(makeTable("yearView.table", model_, QAbstractItemView::SelectRows,
                              QAbstractItemView::SingleSelection, true),
                    1);

  QHBoxLayout* outputs = makeBar();
  outputs->addStretch();
  outputs->addWidget(makeButton(binder, Cmd::YearViewExport));
  outputs->addWidget(makeButton(binder, Cmd::YearViewPrint));
  outputs->addWidget(makeButton(binder, Cmd::YearViewClose));
  column->addLayout(outputs);

  yearChanges_ =
      Connection(panel_.yearChanged(), panel_.yearChanged().connect([this] { yearShown(); }));
  yearShown();
  setTabOrder(picker_, button(Cmd::YearViewPreviousYear));
  setTabOrder(button(Cmd::YearViewPreviousYear), button(Cmd::YearViewNextYear));
  setTabOrder(button(Cmd::YearViewNextYear), button(Cmd::YearViewFollowDate));
  setTabOrder(button(Cmd::YearViewFollowDate), deltaT_);
  setTabOrder(deltaT_, table_);
  setTabOrder(table_, button(Cmd::YearViewExport));
  setTabOrder(button(Cmd::YearViewExport), button(Cmd::YearViewPrint));
  setTabOrder(button(Cmd::YearViewPrint), button(Cmd::YearViewClose));
}

YearViewWindow::~YearViewWindow() { panel_.onClose = nullptr; }

void YearViewWindow::yearShown() {
  {
    const QSignalBlocker quiet(picker_);
    picker_->setValue(panel_.year());
  }
  showDeltaTChoice(deltaT_, panel_.deltaTChoice());
  heading_->setText(qs(panel_.heading()));
  const int was = table_->currentIndex().row();
  model_->reload();
  table_->resizeColumnsToContents();
  if (model_->rowCount() > 0)
    table_->setCurrentIndex(model_->index(std::clamp(was, 0, model_->rowCount() - 1), 0));
}

void YearViewWindow::choose(const QModelIndex& index) {
  if (!index.isValid()) return;
  if (!panel_.activate(static_cast<size_t>(index.row()))) main_.ui().beep();
}

}  // namespace velmar
