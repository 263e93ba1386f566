#pragma once
// The output windows' family: the data window and the graph window, each
// made on first use (the graph's also when the graph first draws) and kept,
// shown or hidden, until the program ends.
#include <memory>

#include "app/main_form.h"
#include "gui/common/window_family.h"
#include "gui/output/data_window.h"
#include "gui/output/graph_window.h"

namespace velmar {

class OutputWindows : public WindowFamily {
 public:
  explicit OutputWindows(MainForm& main);
  ~OutputWindows() override;

  bool open(Win w) override;
  QWidget* existing(Win w) override;

  // Made when first asked for, hidden.
  DataWindow& dataWindow();
  GraphWindow& graphWindow();

 private:
  MainForm& main_;
  std::unique_ptr<DataWindow> data_;
  std::unique_ptr<GraphWindow> graph_;
  Connection hides_;
};

}  // namespace velmar
