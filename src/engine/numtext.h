#pragma once
// Number <-> text conversions of the main window's fields.
//
// Every result is written into a text field and read back from that text, so
// these few functions decide what every later step sees. They must give the
// same characters on every machine: all of them go through the C library's
// correctly rounded decimal conversions.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

// The numeric value of a field's text: leading blanks skipped, then an
// optional sign, digits, a decimal point and digits, up to the first other
// character. 0 when there is no number.
double value(std::string_view text);

// " 0.000000000000": one blank, at least one integer digit, twelve decimals.
// Negative values read " -1.500000000000".
std::string formatResult(double x);

// " 000000.000000": one blank, integer part zero-padded to six digits, six
// decimals.
std::string formatKm(double x);

// A fixed mask built from zeros: at least `intDigits` integer digits and
// exactly `decimals` decimals, optionally after one leading blank. The sign
// of a negative number stands after the blank, before the digits.
std::string formatFixed(double x, int intDigits, int decimals, bool leadingBlank);
// The same into a buffer the caller keeps, for the hot paths.
void formatFixed(std::string& out, double x, int intDigits, int decimals, bool leadingBlank);

struct FixedMask {
  int intDigits;
  int decimals;
  bool leadingBlank;
};
std::string formatFixed(double x, FixedMask m);

// The masks the program writes numbers with; the field table says which
// field shows which.
// " 0.000000000000": the results of a calculation, the moon age.
inline constexpr FixedMask kResultMask{1, 12, true};
// " 000000.000000": the Moon's distance, km.
inline constexpr FixedMask kKmMask{6, 6, true};
// "00": delta T as the automatic rule writes it.
inline constexpr FixedMask kDeltaTMask{2, 0, false};
// " 0.00000000000": the moon age as the reference command writes it, one
// decimal short of kResultMask. It always reads zero there, so only the
// text differs, and the text is what users have always seen.
inline constexpr FixedMask kReferenceAgeMask{1, 11, true};
// A site's numbers in the site file and the site editor ("00.00",
// "000.00", "000.00"); the main window shows the coordinates after a blank.
inline constexpr FixedMask kLatitudeMask{2, 2, false};
inline constexpr FixedMask kLongitudeMask{3, 2, false};
inline constexpr FixedMask kElevationMask{3, 2, false};
constexpr FixedMask afterBlank(FixedMask m) { return {m.intDigits, m.decimals, true}; }

// The digits a fixed mask shows for x, exactly: under the same mask, equal
// keys give the same text and different keys different texts. So a writer
// can tell whether a text would change without writing it.
struct FixedKey {
  uint64_t digits = 0;    // round-half-even(|x| * 10^decimals)
  bool negative = false;  // x < 0: the text carries a minus sign
  bool operator==(const FixedKey& o) const { return digits == o.digits && negative == o.negative; }
};
// False for values whose digits do not fit in 64 bits, infinities and NaN.
bool fixedKey(double x, int decimals, FixedKey& key);
// value() of the text the key gives, had without the text; false when the
// digits are too many to be read back exactly this way.
bool fixedKeyValue(const FixedKey& key, int decimals, double& v);

// The general numeric text form: one blank before a non-negative number (a
// minus sign otherwise), the shortest decimal form with at most 15
// significant digits, no zero before the point below 1 (" .5").
std::string formatGeneral(double x);
void formatGeneral(std::string& out, double x);

// The same without the sign position: plain decimal text ("67", "-3", ".5").
std::string formatPlain(double x);
void formatPlain(std::string& out, double x);

// A whole number as plain decimal text ("2001", "-1").
std::string formatInt(long long n);

// A date or time part with at least two digits ("05", "12", "2024"),
// rounded to a whole number.
std::string twoDigits(double v);

// Strict parse of a complete number (for command-line arguments and files):
// optional blanks around, optional sign, digits with an optional point.
// Nothing else is accepted; no exponent, no hexadecimal, no inf or nan.
std::optional<double> parseNumber(std::string_view text);

}  // namespace velmar
