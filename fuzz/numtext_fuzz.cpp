// The field texts: value() and parseNumber() take any text, and every format
// reads back through value() as the number it was given, to its precision.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/numtext.h"
#include "fuzz_input.h"

using namespace velmar;

namespace {

// How far a text with `decimals` decimals may read back from x: half a unit
// of its last place, and the rounding of reading it into a double.
bool readsBack(double x, const std::string& text, int decimals) {
  const double back = value(text);
  const double halfUnit = 0.5 * std::pow(10.0, -decimals);
  const double slack = 2 * std::numeric_limits<double>::epsilon() * std::fabs(x);
  return std::fabs(back - x) <= halfUnit * (1 + 1e-9) + slack;
}

void checkFormats(double x, int intDigits, int decimals, bool blank) {
  if (!std::isfinite(x)) {
    (void)formatFixed(x, intDigits, decimals, blank);
    (void)formatGeneral(x);
    return;
  }
  VELMAR_FUZZ_CHECK(readsBack(x, formatResult(x), 12));
  VELMAR_FUZZ_CHECK(readsBack(x, formatKm(x), 6));
  const std::string fixed = formatFixed(x, intDigits, decimals, blank);
  VELMAR_FUZZ_CHECK(readsBack(x, fixed, decimals));
  // The general form: 15 significant digits, an exponent only outside
  // [0.0001, 1e15), where value() cannot read it back.
  const std::string plain = formatPlain(x);
  const double ax = std::fabs(x);
  if (plain.find('E') == std::string::npos) {
    VELMAR_FUZZ_CHECK(std::fabs(value(plain) - x) <= ax * 1e-14);
    VELMAR_FUZZ_CHECK(value(formatGeneral(x)) == value(plain));
  } else {
    VELMAR_FUZZ_CHECK(ax < 0.0001 || ax >= 999999999999999.5);
  }
  if (ax < 9007199254740992.0) {
    const long long n = static_cast<long long>(x);
    VELMAR_FUZZ_CHECK(value(formatInt(n)) == static_cast<double>(n));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double v = value(text);
  // A complete number reads the same both ways.
  if (const std::optional<double> parsed = parseNumber(text)) {
    VELMAR_FUZZ_CHECK(std::isfinite(*parsed));
    VELMAR_FUZZ_CHECK(*parsed == v);
  }
  // The bytes as a double and a mask: eight bytes of the number, then the
  // mask's integer digits, decimals and leading blank.
  if (size >= 11) {
    double x;
    std::memcpy(&x, data, sizeof x);
    checkFormats(x, data[8] % 20, data[9] % 21, data[10] & 1);
  }
  checkFormats(v, 1, 12, true);
  return 0;
}
