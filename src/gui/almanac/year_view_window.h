#pragma once
// The year view (暦要項): the year's calendar items in time order, its year
// picker, its buttons and the 月の暦's choice of delta T. Everything it
// shows and does comes from the core's YearViewPanel.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "app/commands.h"
#include "app/main_form.h"
#include "app/year_view_panel.h"
#include "gui/almanac/almanac_window.h"
#include "gui/common/tool_window.h"
#include "gui/common/window_family.h"

namespace velmar {

class CommandBinder;

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

class YearViewWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit YearViewWindow(MainForm& main);
  ~YearViewWindow() override;

  YearViewPanel& panel() { return panel_; }
  QTableView* table() const { return table_; }
  YearViewModel* model() const { return model_; }
  QSpinBox* yearPicker() const { return picker_; }
  QLabel* heading() const { return heading_; }
  QComboBox* deltaTChoice() const { return deltaT_; }
  QPushButton* button(Cmd c) const;

  // A row clicked or chosen with Enter: the main window goes to its instant.
  void choose(const QModelIndex& index);

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  QPushButton* makeButton(CommandBinder& binder, Cmd c);
  void yearShown();

  MainForm& main_;
  YearViewPanel panel_;
  YearViewModel* model_ = nullptr;
  AlmanacTable* table_ = nullptr;
  QSpinBox* picker_ = nullptr;
  QLabel* heading_ = nullptr;
  QComboBox* deltaT_ = nullptr;
  std::map<Cmd, QPushButton*> buttons_;
  Connection yearChanges_;
};

class YearViewWindows : public WindowFamily {
 public:
  explicit YearViewWindows(MainForm& main) : main_(main) {}
  bool open(Win w) override;
  QWidget* existing(Win w) override;
  YearViewWindow* window() const { return window_.get(); }

 private:
  MainForm& main_;
  std::unique_ptr<YearViewWindow> window_;
};

}  // namespace velmar
