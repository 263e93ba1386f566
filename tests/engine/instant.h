#pragma once
// Writing an instant into the date/time fields as a user types it, and
// reading it back, for the tests that move the instant.
#include <string>

#include "engine/form.h"

namespace velmar::testing_instant {

inline void enterInstant(FormModel& f, const char* y, const char* mo, const char* d, const char* h,
                         const char* mi, const char* s) {
  writeInstant(f, {y, mo, d, h, mi, s});
}

// "2001-3-9 12:0:0"
inline std::string instantOf(const FormModel& f) {
  const InstantTexts t = readInstant(f);
  return t[0] + "-" + t[1] + "-" + t[2] + " " + t[3] + ":" + t[4] + ":" + t[5];
}

}  // namespace velmar::testing_instant
