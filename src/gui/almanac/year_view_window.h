#pragma once
// The year view (暦要項): the year's calendar items in time order, its year
// picker, its buttons and the 月の暦's choice of delta T. Everything it
// shows and does comes from the core's YearViewPanel.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <vector>

#include "app/year_view_panel.h"
#include "gui/almanac/table_window.h"

namespace velmar {

class YearViewModel : public CellsModel {
  Q_OBJECT

 public:
  explicit YearViewModel(YearViewPanel& panel, QObject* parent = nullptr);

 private:
  size_t panelRows() const override { return panel_.rows().size(); }
  std::vector<std::string> panelCells(size_t row) const override;

  YearViewPanel& panel_;
};

class YearViewWindow : public TableWindow {
  Q_OBJECT

 public:
  explicit YearViewWindow(MainForm& main);
  ~YearViewWindow() override;

  YearViewPanel& panel() { return panel_; }
  YearViewModel* model() const { return model_; }
  QSpinBox* yearPicker() const { return picker_; }
  QComboBox* deltaTChoice() const { return deltaT_; }

  // A row clicked or chosen with Enter: the main window goes to its instant.
  void choose(const QModelIndex& index) override;

 private:
  void yearShown();

  YearViewPanel panel_;
  YearViewModel* model_ = nullptr;
  QSpinBox* picker_ = nullptr;
  QComboBox* deltaT_ = nullptr;
  Connection yearChanges_;
};

using YearViewWindows = TableWindowFamily<YearViewWindow, Win::YearView>;

}  // namespace velmar
