#include "gui/almanac/eclipse_window.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "astro/almanac.h"
#include "gui/common/command_controls.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s ? s : ""); }

// The list's columns and the note after them.
constexpr int kColumns = static_cast<int>(kLocalEclipseColumns) + 1;

std::vector<std::string> eclipseTitles() {
  std::vector<std::string> titles(localEclipseTitles().begin(), localEclipseTitles().end());
  titles.emplace_back(eclipseText(EclipseText::Note));
  return titles;
}

}  // namespace

EclipseModel::EclipseModel(EclipsePanel& panel, QObject* parent)
    : CellsModel(eclipseTitles(), parent), panel_(panel) {
  reload();
}

QVariant EclipseModel::data(const QModelIndex& index, int role) const {
  if (!holds(index)) return {};
  const size_t row = static_cast<size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return CellsModel::data(index, role);
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

EclipseWindow::EclipseWindow(MainForm& main)
    : TableWindow(main, Win::Eclipses, "Eclipses", eclipseText(EclipseText::Title)), panel_(main) {
  showPanel(panel_);

  QVBoxLayout* column = makeColumn();

  QHBoxLayout* bar = makeBar();
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
  CommandBinder binder(CommandActions::of(main_, this), false);
  bar->addWidget(makeButton(binder, Cmd::EclipseFollowDate));
  bar->addStretch();
  bar->addWidget(makeButton(binder, Cmd::EclipseExport));
  bar->addWidget(makeButton(binder, Cmd::EclipsePrint));
  bar->addWidget(makeButton(binder, Cmd::EclipseClose));
  column->addLayout(bar);

  column->addWidget(makeHeading("eclipses.heading"));

  model_ = new EclipseModel(panel_, this);
  column->addWidget(makeTable("eclipses.table", model_, QAbstractItemView::SelectRows,
                              QAbstractItemView::ExtendedSelection, false),
                    1);
  copyRowsWith([this](const std::vector<size_t>& rows) { return panel_.copyText(rows); });

  listChanges_ =
      Connection(panel_.listChanged(), panel_.listChanged().connect([this] { listShown(); }));
  listShown();
  setTabOrder(year_, span_);
  setTabOrder(span_, table_);
}

EclipseWindow::~EclipseWindow() { panel_.onClose = nullptr; }

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

}  // namespace velmar
