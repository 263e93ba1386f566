#include "app/keypad_keys.h"

namespace velmar {

bool typeOnKeypad(Keypad& keypad, PadKey key, int digit) {
  if (!keypad.shown()) return false;
  switch (key) {
    case PadKey::Digit:
      if (digit < 0 || digit > 9) return false;
      keypad.digit(digit);
      return true;
    case PadKey::Backspace:
      keypad.backspace();
      return true;
    case PadKey::Clear:
      keypad.allClear();
      return true;
    case PadKey::Ok:
      keypad.ok();
      return true;
    case PadKey::Close:
      keypad.dismiss();
      return true;
    case PadKey::Other:
      break;
  }
  return false;
}

}  // namespace velmar
