#pragma once
// The 月の暦 window: the month's table, its month picker and buttons, and
// the panel of the Moon seen from the site. Everything it shows and does
// comes from the core's AlmanacPanel; this window only mirrors it and
// forwards the user's clicks and keys.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <map>
#include <memory>
#include <vector>

#include "app/almanac_panel.h"
#include "app/commands.h"
#include "app/main_form.h"
#include "gui/common/tool_window.h"
#include "gui/common/window_family.h"

namespace velmar {

class CommandBinder;

class AlmanacModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit AlmanacModel(AlmanacPanel& panel, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // The month is another: every row anew.
  void reload();

 private:
  AlmanacPanel& panel_;
  // The shown cells of each row, made once per month.
  std::vector<std::vector<QString>> cells_;
};

// Enter on a cell does what a click does.
class AlmanacTable : public QTableView {
  Q_OBJECT

 public:
  std::function<void(const QModelIndex&)> onChosen;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};

class AlmanacWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit AlmanacWindow(MainForm& main);
  ~AlmanacWindow() override;

  AlmanacPanel& panel() { return panel_; }
  QTableView* table() const { return table_; }
  AlmanacModel* model() const { return model_; }
  QDateEdit* monthPicker() const { return picker_; }
  QLabel* heading() const { return heading_; }
  QComboBox* deltaTChoice() const { return deltaT_; }
  // The buttons by their command, for tests.
  QPushButton* button(Cmd c) const;
  // The panel's value labels, in the order of observedLines().
  const std::vector<QLabel*>& observedValues() const { return observedValues_; }

  // A cell clicked or chosen with Enter: the main window goes to its instant.
  void choose(const QModelIndex& index);
  // The selected rows (all of them when none is) as tab-separated text on
  // the clipboard (Ctrl+C).
  void copySelection();

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  QPushButton* makeButton(CommandBinder& binder, Cmd c);
  void monthShown();
  void observedShown();
  void scrollToToday();

  MainForm& main_;
  AlmanacPanel panel_;
  AlmanacModel* model_ = nullptr;
  AlmanacTable* table_ = nullptr;
  QDateEdit* picker_ = nullptr;
  QLabel* heading_ = nullptr;
  QComboBox* deltaT_ = nullptr;
  std::vector<QLabel*> observedValues_;
  std::map<Cmd, QPushButton*> buttons_;
  Connection monthChanges_;
  Connection observedChanges_;
};

// The almanac's family: its one window, made on first use and kept.
class AlmanacWindows : public WindowFamily {
 public:
  explicit AlmanacWindows(MainForm& main) : main_(main) {}
  bool open(Win w) override;
  QWidget* existing(Win w) override;
  AlmanacWindow* window() const { return window_.get(); }

 private:
  MainForm& main_;
  std::unique_ptr<AlmanacWindow> window_;
};

}  // namespace velmar
