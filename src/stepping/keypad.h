#pragma once
// The numeric keypad: takes a whole number for one main-window field (or
// the time pad's change field) and writes it there on "OK".
#include <string>

#include "engine/form.h"
#include "engine/signal.h"
#include "stepping/date_fields.h"
#include "stepping/time_pad.h"

namespace velmar {

// The code that routes an entry to the time pad's change field.
inline constexpr int kTimePadChangeCode = 20;
inline constexpr const char* kKeypadTitle = "Tenkey";
inline constexpr const char* kTimePadChangeCaption = "変化分を入力";

class Keypad {
 public:
  Keypad(FormModel& form, DateFields& dates, TimePad& pad)
      : form_(form), dates_(dates), pad_(pad) {}
  Keypad(const Keypad&) = delete;
  Keypad& operator=(const Keypad&) = delete;

  // A click on a main-window field: the keypad opens for it, showing its
  // text, with an empty entry. False (and nothing changes) for a field the
  // keypad does not serve.
  bool openFor(Field f);
  // A double-click on the time pad's change field.
  void openForTimePad();

  void digit(int d);  // 0 .. 9, appended to the entry
  void allClear();    // "AC"
  void backspace();   // "BS"
  // "OK": the entry, unchanged, goes into the field the keypad was opened
  // for, whose rule then runs (for a date, time or delta T field that is
  // one calc); the keypad hides.
  void ok();
  // The keypad closed without "OK": the entry is dropped, and so is the
  // code it set, which would otherwise make the field's next change, from
  // wherever it came, calculate once more.
  void dismiss();

  // The code of the field the keypad serves (its pendingField code); 0
  // before the first opening.
  int target() const { return target_; }
  const std::string& caption() const { return caption_; }
  const std::string& reference() const { return reference_; }  // keypad.referenceField
  const std::string& entry() const { return entry_; }          // keypad.entryField
  // Whether the keypad is up: from an opening to "OK".
  bool shown() const { return shown_; }

  // Told of every change of the above.
  Signal<>& changed() { return changed_; }

 private:
  void opened(int code, const std::string& reference, const std::string& caption);

  FormModel& form_;
  DateFields& dates_;
  TimePad& pad_;
  int target_ = 0;
  std::string caption_ = kKeypadTitle;
  std::string reference_;
  std::string entry_;
  bool shown_ = false;
  Signal<> changed_;
};

}  // namespace velmar
