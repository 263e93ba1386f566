#include "engine/numtext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace velmar {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `s` (sign, digits, point, digits).
// Returns 0 when no digit is present.
size_t scanNumber(std::string_view s, size_t pos) {
  size_t i = pos;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
  }
  return digits == 0 ? 0 : i - pos;
}

// Converts a scanned number. from_chars, unlike strtod, ignores the C
// locale, which the toolkit may have set to one with a decimal comma.
double convert(std::string_view s) {
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
      if (c != '0') { large = true; break; }
    }
    v = large ? HUGE_VAL : 0.0;
  }
  return negative ? -v : v;
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

std::string formatFixed(double x, int intDigits, int decimals, bool leadingBlank) {
  std::string out = leadingBlank ? " " : "";
  if (std::isnan(x)) return out + "nan";
  if (std::isinf(x)) return out + (x < 0 ? "-inf" : "inf");
  if (x < 0) out += '-';
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed, decimals);
  std::string digits(buf, res.ec == std::errc() ? res.ptr : buf);
  size_t point = digits.find('.');
  size_t intLen = point == std::string::npos ? digits.size() : point;
  if (static_cast<int>(intLen) < intDigits) digits.insert(0, intDigits - intLen, '0');
  return out + digits;
}

std::string formatResult(double x) { return formatFixed(x, 1, 12, true); }

std::string formatKm(double x) { return formatFixed(x, 6, 6, true); }

std::string formatPlain(double x) {
  if (std::isnan(x)) return "0";
  if (std::isinf(x)) return x < 0 ? "-1E+308" : "1E+308";
  if (x == 0) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
  std::string s(buf, res.ptr);
  // "1e+20" -> "1E+20", "1e-07" -> "1E-07": the form the fields have always shown.
  size_t e = s.find('e');
  if (e != std::string::npos) s[e] = 'E';
  // No zero before the point below 1.
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return s;
}

std::string formatGeneral(double x) {
  std::string s = formatPlain(x);
  return s[0] == '-' ? s : " " + s;
}

std::string formatInt(long long n) { return std::to_string(n); }

}  // namespace velmar
