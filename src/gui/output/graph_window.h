#pragma once
// The graph window (Form4): the nine buttons, the picture the graph draws
// on, kept in an image so the curves survive covering, minimising and
// resizing, and the legend with the boxes that choose the curves.
#include "gui/common/qt_canvas.h"
#include "gui/output/output_window.h"

namespace velmar {

class GraphWindow : public OutputWindow {
  Q_OBJECT

 public:
  explicit GraphWindow(MainForm& main);
  ~GraphWindow() override;

  RetainedPicture* picture() const { return picture_; }

 private:
  RetainedPicture* picture_;
  Connection titleChanges_;
};

}  // namespace velmar
