#pragma once
// The year view (暦要項): the year's calendar items in time order, its year
// picker, its buttons and the 月の暦's choice of delta T. Everything it
// shows and does comes from the core's YearViewPanel.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <array>
#include <vector>

#include "app/year_view_panel.h"
#include "gui/almanac/table_window.h"

namespace velmar {

class YearViewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit YearViewModel(YearViewPanel& panel, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  void reload();

 private:
  YearViewPanel& panel_;
  std::vector<std::array<QString, kYearViewColumns>> cells_;
};

class YearViewWindow : public TableWindow {
  Q_OBJECT

 public:
  explicit YearViewWindow(MainForm& main);
  ~YearViewWindow() override;

  YearViewPanel& panel() { return panel_; }
  YearViewModel* model() const { return model_; }
  QSpinBox* yearPicker() const { return picker_; }
  QLabel* heading() const { return heading_; }
  QComboBox* deltaTChoice() const { return deltaT_; }

  // A row clicked or chosen with Enter: the main window goes to its instant.
  void choose(const QModelIndex& index) override;

 private:
  void yearShown();

  YearViewPanel panel_;
  YearViewModel* model_ = nullptr;
  QSpinBox* picker_ = nullptr;
  QLabel* heading_ = nullptr;
  QComboBox* deltaT_ = nullptr;
  Connection yearChanges_;
};

using YearViewWindows = TableWindowFamily<YearViewWindow, Win::YearView>;

}  // namespace velmar
