#pragma once
// The family of the five view windows and the two pads: made on first use,
// kept until the program ends, opened and placed as their commands ask.
#include <array>
#include <memory>

#include "app/main_form.h"
#include "gui/common/field_host.h"
#include "gui/common/window_family.h"
#include "gui/stepping/keypad_window.h"
#include "gui/stepping/time_pad_window.h"
#include "gui/views/view_window.h"

namespace velmar {

class ViewWindows : public WindowFamily {
 public:
  ViewWindows(MainForm& main, FieldHost& host);
  ~ViewWindows() override;
  ViewWindows(const ViewWindows&) = delete;
  ViewWindows& operator=(const ViewWindows&) = delete;

  bool open(Win w) override;
  QWidget* existing(Win w) override;

  // The windows once made; nullptr before.
  ViewWindow* view(View v) const { return views_[static_cast<size_t>(v)].get(); }
  KeypadWindow* keypad() const { return keypad_.get(); }
  TimePadWindow* timePad() const { return timePad_.get(); }

 private:
  ViewWindow* make(View v);
  TimePadWindow* makeTimePad();
  // Opens the keypad next to what it was opened for: below a main-window
  // field, above the change amount and loop count fields (they sit low in
  // the window), over the time pad's change field.
  void openKeypad();

  MainForm& main_;
  FieldHost& host_;
  std::array<std::unique_ptr<ViewWindow>, kViewCount> views_;
  std::unique_ptr<KeypadWindow> keypad_;
  std::unique_ptr<TimePadWindow> timePad_;
};

}  // namespace velmar
