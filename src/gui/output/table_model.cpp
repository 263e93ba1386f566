#include "gui/output/table_model.h"

namespace velmar {

DataTableModel::DataTableModel(DataTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), shown_(static_cast<int>(table.rows().size())) {
  events_ =
      Connection(table_.events(), table_.events().connect([this](TableEvent e) { onEvent(e); }));
}

void DataTableModel::onEvent(TableEvent e) {
  const int n = static_cast<int>(table_.rows().size());
  switch (e) {
    case TableEvent::AboutToAppend:
      if (held_) return;
      beginInsertRows(QModelIndex(), n, n);
      break;
    case TableEvent::Appended:
      if (held_) return;
      shown_ = n;
      endInsertRows();
      break;
    case TableEvent::AboutToClear:
      beginResetModel();
      break;
    case TableEvent::Cleared:
      shown_ = n;
      endResetModel();
      break;
  }
}

void DataTableModel::hold(bool on) {
  held_ = on;
  if (!on) catchUp();
}

void DataTableModel::catchUp() {
  const int n = static_cast<int>(table_.rows().size());
  if (n <= shown_) return;
  beginInsertRows(QModelIndex(), shown_, n - 1);
  shown_ = n;
  endInsertRows();
}

int DataTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_;
}

int DataTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kTableColumns;
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto row = static_cast<size_t>(index.row());
  if (row >= table_.rows().size() || index.column() >= kTableColumns) return {};
  const std::string_view cell = table_.rows().cell(row, index.column());
  return QString::fromUtf8(cell.data(), static_cast<int>(cell.size()));
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= kTableColumns)
    return QAbstractTableModel::headerData(section, orientation, role);
  return QString::fromUtf8(kTableHeaders[section]);
}

}  // namespace velmar
