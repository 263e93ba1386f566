#include "astro/rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace velmar::astro {

bool scaledRound(double ax, int d, Digits128& q) {
  if (d < 0 || d > 14) return false;
  uint64_t bits;
  std::memcpy(&bits, &ax, sizeof bits);
  const int biased = static_cast<int>(bits >> 52);  // sign bit is clear
  uint64_t m = bits & ((1ull << 52) - 1);
  int e;
  if (biased == 0) {
    e = -1074;  // subnormal
  } else {
    m |= 1ull << 52;
    e = biased - 1075;
  }
  // ax = m * 2^e exactly
  const Digits128 n = static_cast<Digits128>(m) * kPow10u[d];  // below 2^100
  if (e >= 0) {
    if (e > 27) return false;
    q = n << e;
    return true;
  }
  const int sh = -e;
  if (sh > 120) {
    q = 0;  // less than half a unit of the last place
    return true;
  }
  q = n >> sh;
  const Digits128 rem = n - (q << sh);
  const Digits128 half = static_cast<Digits128>(1) << (sh - 1);
  if (rem > half || (rem == half && (q & 1))) ++q;
  return true;
}

bool roundedDigits(double x, int decimals, uint64_t& digits) {
  // The results of a calculation: normal numbers whose binary point falls
  // in the low word of m * 10^d, rounded in 64-bit halves; scaledRound
  // takes the rest.
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const int sh = 1075 - biased;
  if (biased != 0 && sh >= 1 && sh <= 63 && decimals >= 0 && decimals <= 14) {
    const uint64_t m = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const Digits128 n = static_cast<Digits128>(m) * kPow10u[decimals];
    const uint64_t low = static_cast<uint64_t>(n);
    const uint64_t high = static_cast<uint64_t>(n >> 64);
    if ((high >> sh) == 0) {
      uint64_t q = (low >> sh) | (high << (64 - sh));
      const uint64_t rem = low & ((1ull << sh) - 1);
      const uint64_t half = 1ull << (sh - 1);
      if (rem > half || (rem == half && (q & 1))) {
        if (q == ~0ull) return false;
        ++q;
      }
      digits = q;
      return true;
    }
  }
  if (!std::isfinite(x)) return false;
  Digits128 q;
  if (!scaledRound(std::fabs(x), decimals, q) || (q >> 64) != 0) return false;
  digits = static_cast<uint64_t>(q);
  return true;
}

double shownWithDecimals(double x, int decimals) {
  if (!std::isfinite(x)) return 0;
  uint64_t q;
  if (roundedDigits(x, decimals, q) && q < (1ull << 53)) {
    // Both exact doubles: one correctly rounded division, as reading the
    // text gives.
    const double v = static_cast<double>(q) / kExactPow10[decimals];
    return x < 0 ? -v : v;
  }
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
  double v = 0;
  std::from_chars(buf, r.ptr, v);
  return v;
}

double shownWithSignificantDigits(double x) {
  // The field shows not a number as 0 and the infinities as +-1E+308, of
  // which only the 1 reads back.
  if (std::isnan(x)) return 0;
  if (std::isinf(x)) return x < 0 ? -1 : 1;
  // From 1 to below 10^14, 15 significant digits are a fixed number of
  // decimals (a Julian Day has eight), and a carry into a new digit still
  // shows without an exponent.
  const double ax = std::fabs(x);
  if (ax >= 1) {
    for (int k = 1; k <= 14; ++k)
      if (ax < kExactPow10[k]) return shownWithDecimals(x, 15 - k);
  }
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
  // A number shown with an exponent reads back as its digits alone: the
  // reading stops at the exponent's letter.
  const char* end = std::find(buf, r.ptr, 'e');
  double v = 0;
  std::from_chars(buf, end, v);
  return v;
}

}  // namespace velmar::astro
