#include "engine/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace velmar {

namespace {

__extension__ typedef unsigned __int128 u128;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at `pos` (sign, digits, point, digits); 0 when no
// digit is present.
size_t scanNumber(std::string_view s, size_t pos) {
  size_t i = pos;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) {
    ++i;
    ++digits;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) {
      ++i;
      ++digits;
    }
  }
  return digits == 0 ? 0 : i - pos;
}

// Exact powers of ten up to 10^22, the largest a double holds exactly.
constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The fields are read back after every step of a search, so the common case
// (at most 15 significant digits) takes a shortcut that is still exact: an
// integer below 2^53 and a power of ten up to 10^22 are both exact doubles,
// and one division of them is correctly rounded.
bool convertFast(std::string_view s, double& out) {
  bool negative = false;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  bool afterPoint = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.') {
      afterPoint = true;
      continue;
    }
    if (afterPoint) ++decimals;
    if (mantissa == 0 && c == '0') continue;
    if (++digits > 15) return false;
    mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
  }
  if (decimals > 22) return false;
  const double v = static_cast<double>(mantissa) / kExactPow10[decimals];
  out = negative ? -v : v;
  return true;
}

// The general case. from_chars, unlike strtod, ignores the C locale, which
// the toolkit may have set to one with a decimal comma.
double convertSlow(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  double v = 0;
  auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large, or too small, for a double: infinity or zero by magnitude.
    bool large = false;
    for (char c : s) {
      if (c == '.') break;
      if (c != '0') {
        large = true;
        break;
      }
    }
    v = large ? HUGE_VAL : 0.0;
  }
  return negative ? -v : v;
}

double convert(std::string_view s) {
  double v;
  return convertFast(s, v) ? v : convertSlow(s);
}

// round-half-even(ax * 10^d), computed exactly in 128-bit integers, for
// finite ax >= 0. False when it does not fit; the caller then takes the
// general conversion. Both give the correctly rounded digits.
bool scaledRound(double ax, int d, u128& q) {
  static constexpr uint64_t kPow10[] = {
      1ull,           10ull,           100ull,           1000ull,           10000ull,
      100000ull,      1000000ull,      10000000ull,      100000000ull,      1000000000ull,
      10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull, 100000000000000ull};
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
  const u128 n = static_cast<u128>(m) * kPow10[d];  // below 2^100
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
  const u128 rem = n - (q << sh);
  const u128 half = static_cast<u128>(1) << (sh - 1);
  if (rem > half || (rem == half && (q & 1))) ++q;
  return true;
}

// Writes the decimal digits of q with exactly d of them after the point to
// `out`, returns their count. Digit loops run on 64-bit halves: 128-bit
// division is a slow library call.
size_t fixedDigits(char* out, u128 q, int d) {
  static constexpr uint64_t kPow10[] = {
      1ull,           10ull,           100ull,           1000ull,           10000ull,
      100000ull,      1000000ull,      10000000ull,      100000000ull,      1000000000ull,
      10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull, 100000000000000ull};
  constexpr uint64_t kE19 = 10000000000000000000ull;
  char buf[64];
  char* const end = buf + sizeof buf;
  char* p = end;
  auto putFraction = [&](uint64_t frac) {
    for (int i = 0; i < d; ++i) {
      *--p = static_cast<char>('0' + frac % 10);
      frac /= 10;
    }
    if (d > 0) *--p = '.';
  };
  auto putInteger = [&](uint64_t v, int minDigits) {
    int written = 0;
    do {
      *--p = static_cast<char>('0' + v % 10);
      v /= 10;
      ++written;
    } while (v != 0 || written < minDigits);
  };
  if ((q >> 64) == 0) {
    const uint64_t q64 = static_cast<uint64_t>(q);
    putFraction(q64 % kPow10[d]);
    putInteger(q64 / kPow10[d], 1);
  } else {
    u128 intPart = q / kPow10[d];
    putFraction(static_cast<uint64_t>(q - intPart * kPow10[d]));
    while (intPart >= kE19) {
      putInteger(static_cast<uint64_t>(intPart % kE19), 19);
      intPart /= kE19;
    }
    putInteger(static_cast<uint64_t>(intPart), 1);
  }
  const size_t n = static_cast<size_t>(end - p);
  std::memcpy(out, p, n);
  return n;
}

constexpr size_t kBuf = 420;  // room for any double in fixed notation

// |x| with exactly `decimals` decimals, correctly rounded, into out[kBuf].
size_t absFixed(char* out, double x, int decimals) {
  u128 q;
  if (scaledRound(std::fabs(x), decimals, q)) return fixedDigits(out, q, decimals);
  auto res = std::to_chars(out, out + kBuf, std::fabs(x), std::chars_format::fixed, decimals);
  return res.ec == std::errc() ? static_cast<size_t>(res.ptr - out) : 0;
}

size_t pointPos(const char* s, size_t n) {
  const void* p = std::memchr(s, '.', n);
  return p ? static_cast<size_t>(static_cast<const char*>(p) - s) : n;
}

// printf's "%.15g" into out[kBuf]: the exact fixed path for
// 1 <= |x| < 1e15, to_chars for the rest.
size_t general15(char* out, double x) {
  const double ax = std::fabs(x);
  char* p = out;
  if (ax >= 1 && ax < 1e15) {
    int intDigits = 1;
    while (intDigits < 15 && ax >= kExactPow10[intDigits]) ++intDigits;
    if (x < 0) *p++ = '-';
    size_t n = absFixed(p, ax, 15 - intDigits);
    // Rounding may carry into one more integer digit (9.99... -> 10.0).
    if (static_cast<int>(pointPos(p, n)) > intDigits) {
      if (intDigits == 15) goto general;  // 999999999999999.5 -> 1e+15
      n = absFixed(p, ax, 15 - intDigits - 1);
    }
    if (pointPos(p, n) < n) {
      while (p[n - 1] == '0') --n;
      if (p[n - 1] == '.') --n;
    }
    return static_cast<size_t>(p - out) + n;
  }
general:
  auto res = std::to_chars(out, out + kBuf, x, std::chars_format::general, 15);
  return static_cast<size_t>(res.ptr - out);
}

}  // namespace

double value(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  size_t n = scanNumber(text, i);
  if (n == 0) return 0.0;
  return convert(text.substr(i, n));
}

std::optional<double> parseNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  size_t n = scanNumber(text, i);
  if (n == 0) return std::nullopt;
  size_t end = i + n;
  while (end < text.size() && text[end] == ' ') ++end;
  if (end != text.size()) return std::nullopt;
  double v = convert(text.substr(i, n));
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

void formatFixed(std::string& out, double x, int intDigits, int decimals, bool leadingBlank) {
  out.clear();
  if (leadingBlank) out += ' ';
  if (std::isnan(x)) {
    out += "nan";
    return;
  }
  if (std::isinf(x)) {
    out += x < 0 ? "-inf" : "inf";
    return;
  }
  if (x < 0) out += '-';
  char digits[kBuf];
  const size_t n = absFixed(digits, x, decimals);
  const size_t intLen = pointPos(digits, n);
  if (static_cast<int>(intLen) < intDigits) out.append(intDigits - intLen, '0');
  out.append(digits, n);
}

std::string formatFixed(double x, int intDigits, int decimals, bool leadingBlank) {
  std::string out;
  formatFixed(out, x, intDigits, decimals, leadingBlank);
  return out;
}

std::string formatResult(double x) { return formatFixed(x, 1, 12, true); }

std::string formatKm(double x) { return formatFixed(x, 6, 6, true); }

void formatPlain(std::string& out, double x) {
  if (std::isnan(x)) {
    out = "0";
    return;
  }
  if (std::isinf(x)) {
    out = x < 0 ? "-1E+308" : "1E+308";
    return;
  }
  if (x == 0) {
    out = "0";
    return;
  }
  char buf[kBuf];
  size_t n = general15(buf, x);
  out.assign(buf, n);
  // "1e+20" -> "1E+20", "1e-07" -> "1E-07": the form the fields have always shown.
  const size_t e = out.find('e');
  if (e != std::string::npos) out[e] = 'E';
  // No zero before the point below 1.
  if (out.rfind("0.", 0) == 0)
    out.erase(0, 1);
  else if (out.rfind("-0.", 0) == 0)
    out.erase(1, 1);
}

std::string formatPlain(double x) {
  std::string out;
  formatPlain(out, x);
  return out;
}

void formatGeneral(std::string& out, double x) {
  formatPlain(out, x);
  if (out[0] != '-') out.insert(out.begin(), ' ');
}

std::string formatGeneral(double x) {
  std::string out;
  formatGeneral(out, x);
  return out;
}

std::string formatInt(long long n) { return std::to_string(n); }

}  // namespace velmar
