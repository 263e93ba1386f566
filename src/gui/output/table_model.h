#pragma once
// The data table as a Qt model: rows and cells are read from the core's
// table when the view asks for them; nothing is copied per row.
#include <QAbstractTableModel>

#include "engine/signal.h"
#include "output/data_table.h"

namespace velmar {

class DataTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit DataTableModel(DataTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // While held, rows appended to the table wait; catchUp() shows them in
  // one insertion, as does the end of the hold. A batch of a hundred
  // thousand steps would otherwise insert them one by one.
  void hold(bool on);
  void catchUp();

 private:
  void onEvent(TableEvent e);

  DataTable& table_;
  Connection events_;
  int shown_ = 0;  // the rows the views know of
  bool held_ = false;
};

}  // namespace velmar
