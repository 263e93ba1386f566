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

// The list's cells and its note, each eclipse's contacts as its tooltip.
class EclipseModel : public CellsModel {
  Q_OBJECT

 public:
  explicit EclipseModel(EclipsePanel& panel, QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  size_t panelRows() const override { return panel_.rows().size(); }
  std::vector<std::string> panelCells(size_t row) const override { return panel_.cells(row); }

  EclipsePanel& panel_;
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

  // A row clicked or chosen with Enter: the main window goes to its maximum.
  void choose(const QModelIndex& index) override;

 private:
  void listShown();

  EclipsePanel panel_;
  EclipseModel* model_ = nullptr;
  QSpinBox* year_ = nullptr;
  QComboBox* span_ = nullptr;
  Connection listChanges_;
};

using EclipseWindows = TableWindowFamily<EclipseWindow, Win::Eclipses>;

}  // namespace velmar
