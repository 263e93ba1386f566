#include "app/table_panel.h"

#include "app/main_form.h"

namespace velmar {

TablePanel::TablePanel(MainForm& main, const char* placementKey, const ToolWindowSize& usual)
    : main_(main), placementKey_(placementKey), usual_(usual) {}

WindowPlacement TablePanel::placement(float screenWidth, float screenHeight) const {
  return toolWindowPlacement(main_.additions(), placementKey_, usual_, screenWidth, screenHeight);
}

FileStatus TablePanel::keepPlacement(const WindowPlacement& p) {
  putPlacement(main_.additions(), placementKey_, p);
  return main_.additions().save();
}

void TablePanel::setShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  if (shown) calculated();
}

}  // namespace velmar
