#pragma once
// The keyboard on the numeric keypad: while it is up, a key typed where no
// field takes it (the time pad, the main window after a click on the time
// pad's change field) works the keypad's buttons, and Escape closes it
// wherever it is typed.
#include "stepping/keypad.h"

namespace velmar {

enum class PadKey {
  Other,
  Digit,      // with the digit
  Backspace,  // BS
  Clear,      // Delete: AC
  Ok,         // Enter or Return
  Close,      // Escape: closed without OK, as the close box does
};

// Whether the keypad took the key: only while it is up. `digit` is read
// for PadKey::Digit (0 .. 9).
bool typeOnKeypad(Keypad& keypad, PadKey key, int digit = 0);

}  // namespace velmar
