#pragma once
// The 月の暦 window: the month's table, its month picker and buttons, and
// the panel of the Moon seen from the site. Everything it shows and does
// comes from the core's AlmanacPanel; this window only mirrors it and
// forwards the user's clicks and keys.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <vector>

#include "app/almanac_panel.h"
#include "gui/almanac/table_window.h"

namespace velmar {

// The month's cells, with today standing out and each cell's longer text
// as its tooltip.
class AlmanacModel : public CellsModel {
  Q_OBJECT

 public:
  explicit AlmanacModel(AlmanacPanel& panel, QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  size_t panelRows() const override { return panel_.rows().size(); }
  std::vector<std::string> panelCells(size_t row) const override { return panel_.cells(row); }

  AlmanacPanel& panel_;
};

class AlmanacWindow : public TableWindow {
  Q_OBJECT

 public:
  explicit AlmanacWindow(MainForm& main);
  ~AlmanacWindow() override;

  AlmanacPanel& panel() { return panel_; }
  AlmanacModel* model() const { return model_; }
  QDateEdit* monthPicker() const { return picker_; }
  QComboBox* deltaTChoice() const { return deltaT_; }
  // The panel's value labels, in the order of observedLines().
  const std::vector<QLabel*>& observedValues() const { return observedValues_; }

  // A cell clicked or chosen with Enter: the main window goes to its instant.
  void choose(const QModelIndex& index) override;

 private:
  void monthShown();
  void observedShown();
  void scrollToToday();

  AlmanacPanel panel_;
  AlmanacModel* model_ = nullptr;
  QDateEdit* picker_ = nullptr;
  QComboBox* deltaT_ = nullptr;
  std::vector<QLabel*> observedValues_;
  Connection monthChanges_;
  Connection observedChanges_;
};

using AlmanacWindows = TableWindowFamily<AlmanacWindow, Win::Almanac>;

}  // namespace velmar
