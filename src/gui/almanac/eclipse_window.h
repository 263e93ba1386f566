#pragma once
// The 日食 window: the solar eclipses seen from the main window's site, its
// years, its buttons. Everything it shows and does comes from the core's
// EclipsePanel; this window only mirrors it and forwards the user's clicks
// and keys.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <map>
#include <memory>
#include <vector>

#include "app/commands.h"
#include "app/eclipse_panel.h"
#include "app/main_form.h"
#include "gui/almanac/almanac_window.h"
#include "gui/common/tool_window.h"
#include "gui/common/window_family.h"

namespace velmar {

class CommandBinder;

class EclipseModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit EclipseModel(EclipsePanel& panel, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  void reload();

 private:
  EclipsePanel& panel_;
  std::vector<std::vector<QString>> cells_;
};

class EclipseWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit EclipseWindow(MainForm& main);
  ~EclipseWindow() override;

  EclipsePanel& panel() { return panel_; }
  QTableView* table() const { return table_; }
  EclipseModel* model() const { return model_; }
  QSpinBox* yearPicker() const { return year_; }
  QComboBox* spanPicker() const { return span_; }
  QLabel* heading() const { return heading_; }
  QPushButton* button(Cmd c) const;

  // A row clicked or chosen with Enter: the main window goes to its maximum.
  void choose(const QModelIndex& index);
  void copySelection();

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  QPushButton* makeButton(CommandBinder& binder, Cmd c);
  void listShown();

  MainForm& main_;
  EclipsePanel panel_;
  EclipseModel* model_ = nullptr;
  AlmanacTable* table_ = nullptr;
  QSpinBox* year_ = nullptr;
  QComboBox* span_ = nullptr;
  QLabel* heading_ = nullptr;
  std::map<Cmd, QPushButton*> buttons_;
  Connection listChanges_;
};

class EclipseWindows : public WindowFamily {
 public:
  explicit EclipseWindows(MainForm& main) : main_(main) {}
  bool open(Win w) override;
  QWidget* existing(Win w) override;
  EclipseWindow* window() const { return window_.get(); }

 private:
  MainForm& main_;
  std::unique_ptr<EclipseWindow> window_;
};

}  // namespace velmar
