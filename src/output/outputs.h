#pragma once
// The three outputs a calculation feeds, in this order: the data table, the
// graph and the export file. Each takes its row while its box is ticked,
// counts, switches itself off at the loop count and ends the continuous
// calculation when it was the last one on.
#include <optional>

#include "engine/form.h"
#include "engine/ports.h"
#include "engine/signal.h"
#include "output/data_table.h"
#include "output/export_file.h"
#include "output/graph.h"

namespace velmar {

class Continuous;

class Outputs {
 public:
  Outputs(FormModel& form, const astro::Calculation& result, Continuous& loop, UiPort& ui,
          FilePort& files, PrinterPort& printer)
      : table_(form, result, loop),
        graph_(form, result, loop),
        file_(form, result, loop, ui),
        form_(form),
        ui_(ui),
        files_(files),
        printer_(printer) {}
  Outputs(const Outputs&) = delete;
  Outputs& operator=(const Outputs&) = delete;

  DataTable& table() { return table_; }
  const DataTable& table() const { return table_; }
  Graph& graph() { return graph_; }
  const Graph& graph() const { return graph_; }
  ExportFile& file() { return file_; }
  const ExportFile& file() const { return file_; }

  // calc's output step: each output whose box is ticked at its turn.
  void take();
  // The click rules of the output boxes and the graph's series boxes;
  // false for any other box.
  bool checkClicked(Check c);

  // How many more calculations it takes until the last output that is on
  // switches itself off at the loop count and so ends the continuous
  // calculation. Empty when none is on, or when one of them never reaches
  // the count (a count that is not a whole number, or one already passed).
  std::optional<long long> rowsToEnd() const;

  // "出力ﾌｧｲﾙ ...".
  void chooseFile() { file_.choose(files_); }
  // "ﾃﾞｰﾀ印刷".
  void print();

  // "閉じる" in the data or graph window: the window is only hidden. Its
  // window family listens.
  void hide(Win w) { hideRequests_(w); }
  Signal<Win>& hideRequests() { return hideRequests_; }

 private:
  DataTable table_;
  Graph graph_;
  ExportFile file_;
  FormModel& form_;
  UiPort& ui_;
  FilePort& files_;
  PrinterPort& printer_;
  Signal<Win> hideRequests_;
};

}  // namespace velmar
