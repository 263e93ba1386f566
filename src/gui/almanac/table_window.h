#pragma once
// What the almanac's table windows (the 月の暦, the year view, the 日食
// list) share: the buttons of their commands, the table and its keys, the
// copy to the clipboard, the pause of their panel while hidden, and the
// family that makes each window once. The panel behind each window says
// what the table holds and what its rows do.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/almanac_panel.h"
#include "app/commands.h"
#include "app/main_form.h"
#include "app/table_panel.h"
#include "gui/common/tool_window.h"
#include "gui/common/window_family.h"

namespace velmar {

class CommandBinder;

// A table's shown cells, made once each time the panel's rows change, under
// the titles given. What a cell shows besides its text is the window's.
class CellsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // The rows are others: every row anew.
  void reload();

 protected:
  CellsModel(const std::vector<std::string>& titles, QObject* parent);
  // The panel's rows and a row's cells in the order of the titles.
  virtual size_t panelRows() const = 0;
  virtual std::vector<std::string> panelCells(size_t row) const = 0;
  // The index names a cell of the table.
  bool holds(const QModelIndex& index) const;

 private:
  std::vector<QString> titles_;
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

class TableWindow : public ToolWindow {
  Q_OBJECT

 public:
  QTableView* table() const { return table_; }
  QLabel* heading() const { return heading_; }
  // The buttons by their command, for tests.
  QPushButton* button(Cmd c) const;

  // A cell clicked or chosen with Enter.
  virtual void choose(const QModelIndex& index) = 0;
  // The selected rows (all of them when none is) as tab-separated text on
  // the clipboard (Ctrl+C); nothing in a window that copies none.
  void copySelection();

 protected:
  TableWindow(MainForm& main, Win which, const char* objectName, const std::string& title);

  // The window shows `panel` (a member of the window, made after this
  // base): the panel's close command closes the window, the window's place
  // is the panel's to keep, and the panel rests while the window is hidden.
  void showPanel(TablePanel& panel);
  // The window's column (its bar, heading and table, top to bottom), a bar
  // of controls in it, and its heading, whose text may be selected.
  QVBoxLayout* makeColumn();
  static QHBoxLayout* makeBar();
  QLabel* makeHeading(const char* objectName);
  // The button of a command, its shortcut working in this window only.
  QPushButton* makeButton(CommandBinder& binder, Cmd c);
  // The table and its usual ways: read-only, one line a row, a click or
  // Enter choosing (a click with Shift or Ctrl only selects). Rows of a
  // fixed height keep long tables even.
  AlmanacTable* makeTable(const char* objectName, QAbstractItemModel* model,
                          QAbstractItemView::SelectionBehavior behavior,
                          QAbstractItemView::SelectionMode mode, bool fixedRowHeight);
  // Ctrl+C on the table copies the chosen rows as `text` makes them.
  void copyRowsWith(std::function<std::string(const std::vector<size_t>&)> text);

  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

  MainForm& main_;
  AlmanacTable* table_ = nullptr;
  QLabel* heading_ = nullptr;

 private:
  TablePanel* panel_ = nullptr;
  std::map<Cmd, QPushButton*> buttons_;
  std::function<std::string(const std::vector<size_t>&)> copyText_;
};

// The choice of delta T the 月の暦 and the year view share, in `owner`'s
// bar: the user's choice goes to `chosen`, the panel's is shown back.
QComboBox* makeDeltaTChoice(QWidget* owner, const char* objectName,
                            std::function<void(AlmanacDeltaT)> chosen);
void showDeltaTChoice(QComboBox* box, AlmanacDeltaT choice);

// A table window's family: its one window, made on first use and kept.
template <class W, Win kWin>
class TableWindowFamily : public WindowFamily {
 public:
  explicit TableWindowFamily(MainForm& main) : main_(main) {}
  bool open(Win w) override {
    if (w != kWin) return false;
    if (!window_) window_ = std::make_unique<W>(main_);
    window_->open();
    window_->activateWindow();
    return true;
  }
  QWidget* existing(Win w) override { return w == kWin ? window_.get() : nullptr; }
  W* window() const { return window_.get(); }

 private:
  MainForm& main_;
  std::unique_ptr<W> window_;
};

}  // namespace velmar
