#pragma once
// Writing an instant into the date/time fields as a user types it, and
// reading it back, for the tests that move the instant.
#include <string>

#include "engine/form.h"

namespace velmar::testing_instant {

inline void enterInstant(FormModel& f, const char* y, const char* mo, const char* d,
                         const char* h, const char* mi, const char* s) {
  f.setText(Field::Text1, y);
  f.setText(Field::Text2, mo);
  f.setText(Field::Text3, d);
  f.setText(Field::Text7, h);
  f.setText(Field::Text8, mi);
  f.setText(Field::Text9, s);
}

// "2001-3-9 12:0:0"
inline std::string instantOf(const FormModel& f) {
  return f.text(Field::Text1) + "-" + f.text(Field::Text2) + "-" + f.text(Field::Text3) + " " +
         f.text(Field::Text7) + ":" + f.text(Field::Text8) + ":" + f.text(Field::Text9);
}

}  // namespace velmar::testing_instant
