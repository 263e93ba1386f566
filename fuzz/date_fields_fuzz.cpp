// The date/time fields' rules under any sequence of typed texts: short texts
// written one after the other into the six date/time fields, delta T, the
// change amount and the loop count, with calculations in between. The rules
// must always end, and leave the field just written inside its range.
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "engine/calculator.h"
#include "engine/carry_rules.h"
#include "engine/numtext.h"
#include "fuzz_input.h"
#include "stepping/date_fields.h"

using namespace velmar;

namespace {

constexpr Field kWritable[] = {Field::Year,   Field::Month,        Field::Day,
                               Field::Hour,   Field::Minute,       Field::Second,
                               Field::DeltaT, Field::ChangeAmount, Field::LoopCount};
constexpr int kWritableCount = sizeof kWritable / sizeof kWritable[0];
constexpr size_t kLongestText = 24;

void checkWritten(const FormModel& form, Field f) {
  const double v = form.value(f);
  switch (f) {
    case Field::Month:
      VELMAR_FUZZ_CHECK(v >= 1 && v < 13);
      break;
    case Field::Day: {
      // A fractional month stays as typed, but its length is that of the
      // month it rounds to, and one between 12.5 and 13 rounds to 13, which
      // has none: the day rule then moves a month without moving any days
      // ("12.6" then day "31" gives 1.6/31). No control writes such a month;
      // the calculation finds the date invalid and says so. Only whole
      // months are checked here.
      const double month = form.value(Field::Month);
      if (month == std::nearbyint(month))
        VELMAR_FUZZ_CHECK(v >= 1 &&
                          v < 1 + daysInFieldMonth(month, astro::isLeapYear(form.value(Field::Year))));
      break;
    }
    case Field::Hour:
      VELMAR_FUZZ_CHECK(v >= 0 && v < 24);
      break;
    case Field::Minute:
    case Field::Second:
      VELMAR_FUZZ_CHECK(v >= 0 && v < 60);
      break;
    case Field::DeltaT:
      VELMAR_FUZZ_CHECK(v == 0 || v >= 1);
      break;
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FormModel form;
  Calculator calc{form};
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  DateFields dates{form, calc, ui, clock};
  form.setFieldRule([&](Field f) { dates.fieldChanged(f); });
  writeInstant(form, {"2001", "3", "9", "21", "5", "0"});
  form.setText(Field::DeltaT, "66");

  // Each step: an operation byte, then for a write a length byte and the
  // text; what is left over at the end is ignored.
  size_t i = 0;
  while (i < size) {
    const uint8_t op = data[i++];
    const int what = op % (kWritableCount + 3);
    if (what < kWritableCount) {
      if (i >= size) break;
      const size_t asked = data[i++] % (kLongestText + 1);
      const size_t n = std::min(asked, size - i);
      const Field f = kWritable[what];
      const std::string_view text(reinterpret_cast<const char*>(data + i), n);
      i += n;
      // A field's own text written again is no change, and no rule runs.
      const bool changes = text != form.text(f);
      form.setText(f, text);
      if (changes) checkWritten(form, f);
    } else if (what == kWritableCount) {
      calc.calc();
    } else if (what == kWritableCount + 1) {
      // The keypad's entry: the next change of this field calculates.
      dates.setPendingField(static_cast<int>(kWritable[(op / 16) % 7]));
    } else {
      form.setCheck(Check::AutoDeltaT, form.check(Check::AutoDeltaT) ? 0 : 1);
    }
  }
  return 0;
}
