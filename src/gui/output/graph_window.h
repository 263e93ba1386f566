#pragma once
// The graph window (graphWindow): the nine buttons, the picture the graph draws
// on, which keeps the drawing and follows the window's size, and the
// legend with the boxes that choose the curves.
#include "gui/output/graph_picture.h"
#include "gui/output/output_window.h"

namespace velmar {

class GraphWindow : public OutputWindow {
  Q_OBJECT

 public:
  explicit GraphWindow(MainForm& main);
  ~GraphWindow() override;

  GraphPicture* picture() const { return picture_; }

 private:
  GraphPicture* picture_;
  Connection titleChanges_;
  Connection batchEvents_;
};

}  // namespace velmar
