#pragma once
// The data window (dataWindow): the data table in a list of fourteen columns and
// the nine buttons that clear, print, record and stop it. The rows live in
// the core's table; this window only shows them.
#include <QTableView>

#include "gui/output/output_window.h"
#include "gui/output/table_model.h"

namespace velmar {

class DataWindow : public OutputWindow {
  Q_OBJECT

 public:
  explicit DataWindow(MainForm& main);

  QTableView* view() const { return view_; }
  DataTableModel* model() const { return model_; }
  // The selected rows as tab-separated text under the header line, on the
  // clipboard (Ctrl+C).
  void copySelection();

 private:
  DataTableModel* model_;
  QTableView* view_;
  bool followEnd_ = true;
  Connection batchEvents_;
};

}  // namespace velmar
