#include "engine/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "astro/rounding.h"

namespace velmar {

namespace {

using astro::kExactPow10;
using astro::kPow10u;
using astro::scaledRound;
using u128 = astro::Digits128;

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


// Two digits per division: the digit loops run for every result of every
// step of a search.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// v / 10^d for d in [0, 14], by constants: a division by a table value is
// a slow hardware division.
uint64_t divPow10(uint64_t v, int d) {
  switch (d) {
    case 0:
      return v;
    case 1:
      return v / 10ull;
    case 2:
      return v / 100ull;
    case 3:
      return v / 1000ull;
    case 4:
      return v / 10000ull;
    case 5:
      return v / 100000ull;
    case 6:
      return v / 1000000ull;
    case 7:
      return v / 10000000ull;
    case 8:
      return v / 100000000ull;
    case 9:
      return v / 1000000000ull;
    case 10:
      return v / 10000000000ull;
    case 11:
      return v / 100000000000ull;
    case 12:
      return v / 1000000000000ull;
    case 13:
      return v / 10000000000000ull;
    default:
      return v / 100000000000000ull;
  }
}

// Exactly n digits of v (v < 10^n, n < 10), written backwards so that they
// end at p; returns where they start.
char* putDigits32(char* p, uint32_t v, int n) {
  for (; n >= 2; n -= 2) {
    const uint32_t r = v % 100;
    v /= 100;
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * r, 2);
  }
  if (n == 1) *--p = static_cast<char>('0' + v);
  return p;
}

// Eight digits of v < 10^8, leading zeros written, at p[0] to p[7]. y holds
// v / 10^6 with 32 fraction bits, too large by less than 2^32 / 10^6, which
// no pair can notice (checked for every v below 10^8): its integer part is
// the first pair, and each multiplication by 100 brings up the next.
void put8(char* p, uint32_t v) {
  uint64_t y = (static_cast<uint64_t>(v) * 281474977u >> 16) + 1;
  std::memcpy(p, kDigitPairs + 2 * (y >> 32), 2);
  y = static_cast<uint64_t>(static_cast<uint32_t>(y)) * 100u;
  std::memcpy(p + 2, kDigitPairs + 2 * (y >> 32), 2);
  y = static_cast<uint64_t>(static_cast<uint32_t>(y)) * 100u;
  std::memcpy(p + 4, kDigitPairs + 2 * (y >> 32), 2);
  y = static_cast<uint64_t>(static_cast<uint32_t>(y)) * 100u;
  std::memcpy(p + 6, kDigitPairs + 2 * (y >> 32), 2);
}

// Four digits of v < 10^4, leading zeros written, at p[0] to p[3].
void put4(char* p, uint32_t v) {
  const uint32_t high = v / 100;
  std::memcpy(p, kDigitPairs + 2 * high, 2);
  std::memcpy(p + 2, kDigitPairs + 2 * (v - high * 100), 2);
}

// The sixteen digits of v < 10^16, leading zeros written, at p[0] to p[15].
void put16(char* p, uint64_t v) {
  const uint64_t high = v / 100000000u;
  put8(p, static_cast<uint32_t>(high));
  put8(p + 8, static_cast<uint32_t>(v - high * 100000000u));
}

// Exactly n digits of v (v < 10^n, leading zeros written), ending at p.
char* putDigits(char* p, uint64_t v, int n) {
  while (n >= 8) {
    const uint64_t high = v / 100000000u;
    p -= 8;
    put8(p, static_cast<uint32_t>(v - high * 100000000u));
    v = high;
    n -= 8;
  }
  return putDigits32(p, static_cast<uint32_t>(v), n);
}

// The number of decimal digits of v, at least 1.
int digitCount(uint64_t v) {
  int n = 1;
  while (n < 20 && v >= kPow10u[n]) ++n;
  return n;
}

// v in decimal without leading zeros (at least one digit), ending at p.
char* putUnsigned(char* p, uint64_t v) { return putDigits(p, v, digitCount(v)); }

// The decimal digits of q with exactly d of them after the point, ending at
// `end`; returns where they start. 128-bit division is a slow library call,
// so the digits come from 64-bit parts.
char* fixedDigits(char* end, u128 q, int d) {
  constexpr uint64_t kE19 = 10000000000000000000ull;
  char* p = end;
  if ((q >> 64) == 0) {
    const uint64_t q64 = static_cast<uint64_t>(q);
    const uint64_t intPart = divPow10(q64, d);
    p = putDigits(p, q64 - intPart * kPow10u[d], d);
    if (d > 0) *--p = '.';
    return putUnsigned(p, intPart);
  }
  u128 intPart = q / kPow10u[d];
  p = putDigits(p, static_cast<uint64_t>(q - intPart * kPow10u[d]), d);
  if (d > 0) *--p = '.';
  while (intPart >= kE19) {
    p = putDigits(p, static_cast<uint64_t>(intPart % kE19), 19);
    intPart /= kE19;
  }
  return putUnsigned(p, static_cast<uint64_t>(intPart));
}

constexpr size_t kBuf = 420;  // room for any double in fixed notation

// |x| with exactly `decimals` decimals, correctly rounded: the characters
// lie somewhere inside buf.
struct Digits {
  const char* p;
  size_t n;
};
Digits absFixed(char (&buf)[kBuf], double x, int decimals) {
  u128 q;
  if (scaledRound(std::fabs(x), decimals, q)) {
    char* const end = buf + kBuf;
    const char* p = fixedDigits(end, q, decimals);
    return {p, static_cast<size_t>(end - p)};
  }
  auto res = std::to_chars(buf, buf + kBuf, std::fabs(x), std::chars_format::fixed, decimals);
  return {buf, res.ec == std::errc() ? static_cast<size_t>(res.ptr - buf) : 0};
}

// Integer digits of a fixed text with `decimals` decimals.
size_t integerLength(const Digits& t, int decimals) {
  return decimals > 0 && t.n > static_cast<size_t>(decimals) ? t.n - decimals - 1 : t.n;
}

// printf's "%.15g" into out[kBuf]: integers and the exact fixed path for
// 1 <= |x| < 1e15, to_chars for the rest.
size_t general15(char* out, double x) {
  const double ax = std::fabs(x);
  char* p = out;
  if (ax < 1e15) {
    // A whole number below 10^15 has at most 15 digits: "%.15g" writes them
    // all and no point.
    const long long whole = static_cast<long long>(ax);
    if (static_cast<double>(whole) == ax && whole != 0) {
      if (x < 0) *p++ = '-';
      char buf[24];
      char* const end = buf + sizeof buf;
      const char* d = putUnsigned(end, static_cast<uint64_t>(whole));
      const size_t n = static_cast<size_t>(end - d);
      std::memcpy(p, d, n);
      return static_cast<size_t>(p - out) + n;
    }
  }
  if (ax >= 1 && ax < 1e15) {
    int intDigits = 1;
    while (intDigits < 15 && ax >= kExactPow10[intDigits]) ++intDigits;
    int d = 15 - intDigits;
    u128 q;
    scaledRound(ax, d, q);  // below 10^15 + 1: always fits
    // Rounding may carry into one more integer digit (9.99... -> 10.0).
    if (q >= kPow10u[15]) {
      if (intDigits == 15) goto general;  // 999999999999999.5 -> 1e+15
      scaledRound(ax, --d, q);
    }
    char digits[16];
    put16(digits, static_cast<uint64_t>(q));
    // Shortest form: no leading zeros, no trailing zeros after the point,
    // no point without decimals.
    const int pointAt = 16 - d;
    int first = 0;
    while (first < pointAt - 1 && digits[first] == '0') ++first;
    int last = 16;
    while (last > pointAt && digits[last - 1] == '0') --last;
    if (x < 0) *p++ = '-';
    std::memcpy(p, digits + first, static_cast<size_t>(pointAt - first));
    p += pointAt - first;
    if (last > pointAt) {
      *p++ = '.';
      std::memcpy(p, digits + pointAt, static_cast<size_t>(last - pointAt));
      p += last - pointAt;
    }
    return static_cast<size_t>(p - out);
  }
general:
  p = out;
  auto res = std::to_chars(out, out + kBuf, x, std::chars_format::general, 15);
  return static_cast<size_t>(res.ptr - p);
}

// formatPlain into out[kBuf]; returns the length.
size_t plain(char* out, double x) {
  if (std::isnan(x)) {
    out[0] = '0';
    return 1;
  }
  if (std::isinf(x)) {
    const char* t = x < 0 ? "-1E+308" : "1E+308";
    const size_t n = std::strlen(t);
    std::memcpy(out, t, n);
    return n;
  }
  if (x == 0) {
    out[0] = '0';
    return 1;
  }
  size_t n = general15(out, x);
  // "1e+20" -> "1E+20", "1e-07" -> "1E-07": the form the fields have always shown.
  if (char* e = static_cast<char*>(std::memchr(out, 'e', n))) *e = 'E';
  // No zero before the point below 1.
  if (n >= 2 && out[0] == '0' && out[1] == '.') {
    std::memmove(out, out + 1, --n);
  } else if (n >= 3 && out[0] == '-' && out[1] == '0' && out[2] == '.') {
    std::memmove(out + 1, out + 2, --n - 1);
  }
  return n;
}

// The twelve-decimal masks, which every step of a search writes four times:
// at most four integer digits, built in place and copied in two fixed-size
// moves. False when the value does not fit; the general path takes it.
bool fixed12(std::string& out, double x, int intDigits, bool leadingBlank) {
  constexpr uint64_t kE12 = 1000000000000ull;
  u128 q128;
  if (intDigits > 4 || !scaledRound(std::fabs(x), 12, q128) || q128 >= kPow10u[16]) return false;
  const uint64_t q = static_cast<uint64_t>(q128);
  const uint64_t intPart = q / kE12;  // below 10^4
  const uint64_t frac = q - intPart * kE12;
  const uint64_t fracHigh = frac / 100000000u;  // below 10^4
  char buf[32];
  put8(buf + 24, static_cast<uint32_t>(frac - fracHigh * 100000000u));
  put4(buf + 20, static_cast<uint32_t>(fracHigh));
  buf[19] = '.';
  put4(buf + 15, static_cast<uint32_t>(intPart));
  const int intLen = intPart >= 1000 ? 4 : intPart >= 100 ? 3 : intPart >= 10 ? 2 : 1;
  size_t start = static_cast<size_t>(19 - std::max(intLen, intDigits));
  if (x < 0) buf[--start] = '-';
  if (leadingBlank) buf[--start] = ' ';
  const size_t len = sizeof buf - start;  // 14 to 19
  if (out.size() != len) out.resize(len);
  char* const o = &out[0];
  if (len >= 16) {
    std::memcpy(o, buf + start, 16);
    std::memcpy(o + len - 16, buf + sizeof buf - 16, 16);
  } else {
    std::memcpy(o, buf + start, 8);
    std::memcpy(o + len - 8, buf + sizeof buf - 8, 8);
  }
  return true;
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
  if (std::isnan(x) || std::isinf(x)) {
    out.clear();
    if (leadingBlank) out += ' ';
    out += std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
    return;
  }
  if (decimals == 12 && fixed12(out, x, intDigits, leadingBlank)) return;
  const size_t head = (leadingBlank ? 1 : 0) + (x < 0 ? 1 : 0);
  char buf[kBuf];
  const Digits t = absFixed(buf, x, decimals);
  const size_t intLen = integerLength(t, decimals);
  const size_t pad =
      intDigits > 0 && intLen < static_cast<size_t>(intDigits) ? intDigits - intLen : 0;
  out.resize(head + pad + t.n);
  char* o = &out[0];
  if (leadingBlank) *o++ = ' ';
  if (x < 0) *o++ = '-';
  std::memset(o, '0', pad);
  std::memcpy(o + pad, t.p, t.n);
}

bool fixedKey(double x, int decimals, FixedKey& key) {
  if (!astro::roundedDigits(x, decimals, key.digits)) return false;
  key.negative = x < 0;
  return true;
}

// value() reads the text's digits as one integer divided by a power of ten
// when they are at most 15, and otherwise rounds the decimal text
// correctly; below 2^53 the one division is correctly rounded as well.
bool fixedKeyValue(const FixedKey& key, int decimals, double& v) {
  if (key.digits >= (1ull << 53) || decimals < 0 || decimals > 22) return false;
  const double u = static_cast<double>(key.digits) / kExactPow10[decimals];
  v = key.negative ? -u : u;
  return true;
}

std::string formatFixed(double x, int intDigits, int decimals, bool leadingBlank) {
  std::string out;
  formatFixed(out, x, intDigits, decimals, leadingBlank);
  return out;
}

std::string formatFixed(double x, FixedMask m) {
  return formatFixed(x, m.intDigits, m.decimals, m.leadingBlank);
}

std::string formatResult(double x) { return formatFixed(x, kResultMask); }

std::string formatKm(double x) { return formatFixed(x, kKmMask); }

void formatPlain(std::string& out, double x) {
  char buf[kBuf];
  out.assign(buf, plain(buf, x));
}

std::string formatPlain(double x) {
  std::string out;
  formatPlain(out, x);
  return out;
}

void formatGeneral(std::string& out, double x) {
  char buf[kBuf + 1];
  const size_t n = plain(buf + 1, x);
  if (buf[1] == '-') {
    out.assign(buf + 1, n);
  } else {
    buf[0] = ' ';
    out.assign(buf, n + 1);
  }
}

std::string formatGeneral(double x) {
  std::string out;
  formatGeneral(out, x);
  return out;
}

std::string formatInt(long long n) { return std::to_string(n); }

std::string twoDigits(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02.0f", v);
  return buf;
}

}  // namespace velmar
