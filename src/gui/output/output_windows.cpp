#include "gui/output/output_windows.h"

namespace velmar {

OutputWindows::OutputWindows(MainForm& main) : main_(main) {
  Outputs& outputs = main_.outputs();
  outputs.graph().loadWindow = [this] { graphWindow(); };
  hides_ = Connection(outputs.hideRequests(), outputs.hideRequests().connect([this](Win w) {
    if (QWidget* x = existing(w)) x->hide();
  }));
}

OutputWindows::~OutputWindows() {
  main_.outputs().graph().loadWindow = nullptr;
  // The graph window lets go of its picture as it goes.
  graph_.reset();
  data_.reset();
}

DataWindow& OutputWindows::dataWindow() {
  if (!data_) data_ = std::make_unique<DataWindow>(main_);
  return *data_;
}

GraphWindow& OutputWindows::graphWindow() {
  if (!graph_) graph_ = std::make_unique<GraphWindow>(main_);
  return *graph_;
}

bool OutputWindows::open(Win w) {
  if (w == Win::Data) {
    dataWindow().open();
    return true;
  }
  if (w == Win::Graph) {
    graphWindow().open();
    return true;
  }
  return false;
}

QWidget* OutputWindows::existing(Win w) {
  if (w == Win::Data) return data_.get();
  if (w == Win::Graph) return graph_.get();
  return nullptr;
}

}  // namespace velmar
