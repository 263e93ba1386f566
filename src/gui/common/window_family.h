#pragma once
// A family of the main window's subsidiary windows (the output windows, the
// views and pads, the dialogs), each made on first use and kept until the
// program ends. The main window opens them by their Win and closes them, in
// the program's closing order, before it asks whether to end.
#include <QWidget>

#include "engine/ports.h"

namespace velmar {

class WindowFamily {
 public:
  virtual ~WindowFamily() = default;
  // Shows the window (making it first if needed) when it belongs to this
  // family; false when it does not.
  virtual bool open(Win w) = 0;
  // The window when it has been made, shown or hidden; nullptr otherwise.
  virtual QWidget* existing(Win w) = 0;
};

}  // namespace velmar
