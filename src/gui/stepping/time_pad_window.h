#pragma once
// timePad "TimePad": the time pad's window, a remote control for the
// date/time fields and the continuous calculation. It never takes the
// focus from the main window.
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <functional>

#include "app/main_form.h"
#include "gui/common/tool_window.h"

namespace velmar {

class TimePadWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit TimePadWindow(MainForm& main);
  QLineEdit* changeBox() const { return change_; }  // timePad.changeField
  QLabel* unitLabel(int label) const { return units_[label - 1]; }

  // A double-click on the change field: the keypad is to open against it.
  std::function<void()> onChangeDoubleClicked;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void refresh();

  MainForm& main_;
  std::array<QLabel*, 6> units_{};
  QLineEdit* change_ = nullptr;
  Connection changes_;
};

}  // namespace velmar
