#pragma once
// The 日食 window: the solar eclipses seen from the main window's site, its
// years, its buttons. Everything it shows and does comes from the core's
// EclipsePanel; this window only mirrors it and forwards the user's clicks
// and keys.
#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <vector>

#include "app/eclipse_panel.h"
#include "gui/almanac/table_window.h"

namespace velmar {

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

class EclipseWindow : public TableWindow {
  Q_OBJECT

 public:
  explicit EclipseWindow(MainForm& main);
  ~EclipseWindow() override;

  EclipsePanel& panel() { return panel_; }
  EclipseModel* model() const { return model_; }
  QSpinBox* yearPicker() const { return year_; }
  QComboBox* spanPicker() const { return span_; }
  QLabel* heading() const { return heading_; }

  // A row clicked or chosen with Enter: the main window goes to its maximum.
  void choose(const QModelIndex& index) override;

 private:
  void listShown();

  EclipsePanel panel_;
  EclipseModel* model_ = nullptr;
  QSpinBox* year_ = nullptr;
  QComboBox* span_ = nullptr;
  QLabel* heading_ = nullptr;
  Connection listChanges_;
};

using EclipseWindows = TableWindowFamily<EclipseWindow, Win::Eclipses>;

}  // namespace velmar
