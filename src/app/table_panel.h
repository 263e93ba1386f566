#pragma once
// What the panels of the almanac's table windows (the 月の暦, the year
// view, the 日食 list) share around their tables: the main form they
// serve, the way their window is closed, the window's kept place and the
// pause while the window is hidden.
#include <functional>

#include "config/additions.h"
#include "config/moon_inf.h"
#include "config/text_file.h"

namespace velmar {

class MainForm;

class TablePanel {
 public:
  virtual ~TablePanel() = default;
  TablePanel(const TablePanel&) = delete;
  TablePanel& operator=(const TablePanel&) = delete;

  // Closes the window that shows the panel (set by that window).
  std::function<void()> onClose;
  void closeWindow() {
    if (onClose) onClose();
  }

  // --- the window's place, kept with the program's additions ---
  // Where it was last, or centred at its usual size, on a screen of the
  // given size (twips); never larger than the screen.
  WindowPlacement placement(float screenWidth, float screenHeight) const;
  // Stored at once; a file that cannot be written keeps the old place.
  FileStatus keepPlacement(const WindowPlacement& p);

  // While the window is hidden the panel does no work after calculations;
  // shown again, it catches up.
  void setShown(bool shown);

 protected:
  // The place is kept under `placementKey`, a string that lives as long as
  // the program.
  TablePanel(MainForm& main, const char* placementKey, const ToolWindowSize& usual);
  bool shown() const { return shown_; }
  // What follows a calculation of the main window; also run on being shown
  // again.
  virtual void calculated() = 0;

  MainForm& main_;

 private:
  const char* placementKey_;
  ToolWindowSize usual_;
  bool shown_ = true;
};

}  // namespace velmar
