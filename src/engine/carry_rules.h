#pragma once
// The rules that carry an overshooting date or time field into the next
// larger unit, or borrow from it, and turn a 29 February of a common year
// into 1 March. Written once over a store of the six values, so that the
// form's fields (stepping/date_fields.h) and a search stepping an instant
// on values (engine/instant_steps.h) follow the very same rules.
//
// A store has `double value(Field)`, `void write(Field, double)` and
// `void fillEmpty(Field)`. A write that changes the field runs that field's
// rule at once, inside the rule that wrote it; the rules read the store
// again after every write, since the nested rules may have moved it.
#include <cmath>

#include "astro/calendar.h"
#include "engine/fields.h"

namespace velmar {

// Days in the month of a field's value, the month rounded to a whole
// number; 0 outside 1 to 12.
inline int daysInFieldMonth(double month, bool leap) {
  const double m = std::nearbyint(month);
  if (!(m >= 1 && m <= 12)) return 0;
  return astro::daysInMonth(static_cast<int>(m), leap);
}

template <class Store>
struct CarryRules {
  static void apply(Store& s, Field f) {
    switch (f) {
      case Field::Year:
        return year(s);
      case Field::Month:
        return month(s);
      case Field::Day:
        return day(s);
      case Field::Hour:
        return hour(s);
      case Field::Minute:
        return minute(s);
      case Field::Second:
        return second(s);
      default:
        return;
    }
  }

  static void year(Store& s) {
    if (!astro::isLeapYear(s.value(Field::Year)) && s.value(Field::Month) == 2 &&
        s.value(Field::Day) == 29) {
      s.write(Field::Month, 3);
      s.write(Field::Day, 1);
    }
  }

  // The upper tests ask whether a value has reached the next unit (13
  // months, 60 minutes), not whether it exceeds the last whole one: a typed
  // 12.5 would otherwise be carried to 0.5, borrowed back to 12.5, and so on.
  static void month(Store& s) {
    if (s.value(Field::Month) >= 13) {
      s.write(Field::Month, s.value(Field::Month) - 12);
      s.write(Field::Year, s.value(Field::Year) + 1);
    }
    if (s.value(Field::Month) < 1) {
      s.write(Field::Month, s.value(Field::Month) + 12);
      s.write(Field::Year, s.value(Field::Year) - 1);
    }
  }

  static void day(Store& s) {
    // Both lengths use the leap flag of the year as the rule found it; a
    // carry through December changes the year, but neither December nor
    // January depends on it.
    const bool leap = astro::isLeapYear(s.value(Field::Year));
    const int n = daysInFieldMonth(s.value(Field::Month), leap);
    if (s.value(Field::Day) >= n + 1) {
      s.write(Field::Month, s.value(Field::Month) + 1);
      s.write(Field::Day, s.value(Field::Day) - n);
    }
    if (s.value(Field::Day) < 1) {
      s.write(Field::Month, s.value(Field::Month) - 1);
      s.write(Field::Day, s.value(Field::Day) + daysInFieldMonth(s.value(Field::Month), leap));
    }
  }

  static void hour(Store& s) {
    if (s.value(Field::Hour) >= 24) {
      s.write(Field::Day, s.value(Field::Day) + 1);
      s.write(Field::Hour, s.value(Field::Hour) - 24);
    }
    if (s.value(Field::Hour) < 0) {
      s.write(Field::Hour, s.value(Field::Hour) + 24);
      s.write(Field::Day, s.value(Field::Day) - 1);
    }
    s.fillEmpty(Field::Hour);
  }

  static void minute(Store& s) {
    if (s.value(Field::Minute) >= 60) {
      s.write(Field::Minute, s.value(Field::Minute) - 60);
      s.write(Field::Hour, s.value(Field::Hour) + 1);
    }
    if (s.value(Field::Minute) < 0) {
      s.write(Field::Minute, s.value(Field::Minute) + 60);
      s.write(Field::Hour, s.value(Field::Hour) - 1);
    }
    s.fillEmpty(Field::Minute);
  }

  static void second(Store& s) {
    if (s.value(Field::Second) < 0) {
      s.write(Field::Minute, s.value(Field::Minute) - 1);
      s.write(Field::Second, s.value(Field::Second) + 60);
    }
    if (s.value(Field::Second) >= 60) {
      s.write(Field::Second, s.value(Field::Second) - 60);
      s.write(Field::Minute, s.value(Field::Minute) + 1);
    }
    s.fillEmpty(Field::Second);
  }
};

}  // namespace velmar
