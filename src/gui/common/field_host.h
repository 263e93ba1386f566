#pragma once
// What the subsidiary windows may ask of the window that shows the main
// form's fields: where a field is on the screen, and the window itself (to
// stand beside it). The views and pads know no more of the main window.
#include <QWidget>

#include "engine/fields.h"

namespace velmar {

class FieldHost {
 public:
  virtual ~FieldHost() = default;
  virtual QWidget* hostWindow() = 0;
  // The field's edit box; nullptr for a field the window does not show.
  virtual QWidget* fieldWidget(Field f) = 0;
};

}  // namespace velmar
