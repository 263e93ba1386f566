#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace velmar {
namespace {

struct ValueRow {
  const char* name;
  const char* text;
  double expected;
};

TEST(NumText, ValueReadsTheLeadingNumberOnly) {
  const ValueRow rows[] = {
      {"mask blank", " 348.991429697052", 348.991429697052},
      {"negative under mask", " -1.500000000000", -1.5},
      {"plain", "2001", 2001},
      {"explicit plus", "+7", 7},
      {"no zero before point", " .5", 0.5},
      {"trailing garbage", "12abc", 12},
      {"second point stops", "1.2.3", 1.2},
      {"exponent is not read", "1e5", 1},
      {"empty", "", 0},
      {"blanks only", "   ", 0},
      {"letters", "abc", 0},
      {"sign alone", "-", 0},
      {"point alone", ".", 0},
      {"inner blank stops", "1 2", 1},
      {"tab skipped", "\t42", 42},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(value(r.text), r.expected) << r.name << ": \"" << r.text << "\"";
  }
}

TEST(NumText, ValueOfHugeDigitStringsDoesNotFail) {
  EXPECT_TRUE(std::isinf(value(std::string(400, '9'))));
  EXPECT_EQ(value("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(NumText, ResultMaskHasOneBlankAndTwelveDecimals) {
  EXPECT_EQ(formatResult(348.991429697052), " 348.991429697052");
  EXPECT_EQ(formatResult(0), " 0.000000000000");
  EXPECT_EQ(formatResult(360), " 360.000000000000");
  EXPECT_EQ(formatResult(-1.5), " -1.500000000000");
  EXPECT_EQ(formatResult(0.0000000000004), " 0.000000000000");
  EXPECT_EQ(formatResult(0.0000000000006), " 0.000000000001");
  EXPECT_EQ(formatResult(1e-3), " 0.001000000000");
  // Reading the text back gives the value rounded to twelve decimals.
  EXPECT_EQ(value(formatResult(-4.25)), -4.25);
}

TEST(NumText, KilometreMaskPadsToSixIntegerDigits) {
  EXPECT_EQ(formatKm(360909.7275531), " 360909.727553");
  EXPECT_EQ(formatKm(99999.5), " 099999.500000");
  EXPECT_EQ(formatKm(1234567.25), " 1234567.250000");
}

TEST(NumText, FixedMasks) {
  EXPECT_EQ(formatFixed(35.6544, 2, 2, true), " 35.65");
  EXPECT_EQ(formatFixed(5.5, 2, 2, false), "05.50");
  EXPECT_EQ(formatFixed(99.2, 3, 2, false), "099.20");
  EXPECT_EQ(formatFixed(-35.5, 2, 2, true), " -35.50");
  EXPECT_EQ(formatFixed(66, 2, 0, false), "66");
  EXPECT_EQ(formatFixed(0, 2, 0, false), "00");
}

TEST(NumText, GeneralFormIsShortestWithFifteenDigits) {
  EXPECT_EQ(formatGeneral(2451545), " 2451545");
  EXPECT_EQ(formatGeneral(2451544.625), " 2451544.625");
  EXPECT_EQ(formatGeneral(2451978.0042361111), " 2451978.00423611");
  EXPECT_EQ(formatGeneral(0.5), " .5");
  EXPECT_EQ(formatGeneral(-0.5), "-.5");
  EXPECT_EQ(formatGeneral(-1), "-1");
  EXPECT_EQ(formatGeneral(0), " 0");
  EXPECT_EQ(formatGeneral(1e20), " 1E+20");
  EXPECT_EQ(formatPlain(67), "67");
  EXPECT_EQ(formatPlain(0.1 + 0.2), ".3");
}

TEST(NumText, ParseNumberAcceptsOnlyACompleteNumber) {
  EXPECT_EQ(parseNumber(" 35.5 "), 35.5);
  EXPECT_EQ(parseNumber("-180"), -180);
  EXPECT_EQ(parseNumber(".5"), 0.5);
  for (const char* bad : {"", " ", "abc", "1e5", "12abc", "1 2", "inf", "nan", "0x10", "-"}) {
    EXPECT_FALSE(parseNumber(bad).has_value()) << "\"" << bad << "\"";
  }
}

}  // namespace
}  // namespace velmar

namespace velmar {
namespace {

// The fast exact paths against the C library's correctly rounded
// conversions, over random doubles of every size the fields meet.
TEST(NumText, FastPathsAgreeWithTheCLibrary) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mant(1, 10);
  std::uniform_int_distribution<int> expo(-16, 22);
  char buf[512];
  for (int i = 0; i < 200000; ++i) {
    double x = mant(rng) * std::pow(10.0, expo(rng));
    if (i % 3 == 0) x = -x;
    if (i % 7 == 0) x = std::nearbyint(x * 2) / 2;  // halves: the rounding ties
    for (int d : {0, 2, 6, 12}) {
      std::snprintf(buf, sizeof buf, "%.*f", d, std::fabs(x));
      const std::string expected = std::string(" ") + (x < 0 ? "-" : "") + buf;
      ASSERT_EQ(formatFixed(x, 1, d, true), expected) << "x=" << x << " d=" << d;
    }
    // The twelve-decimal masks, padded to a given number of integer digits.
    std::snprintf(buf, sizeof buf, "%.12f", std::fabs(x));
    for (int w : {2, 4}) {
      std::string digits(buf);
      const size_t point = digits.find('.');
      if (point < static_cast<size_t>(w)) digits.insert(0, w - point, '0');
      ASSERT_EQ(formatFixed(x, w, 12, false), (x < 0 ? "-" : "") + digits) << "x=" << x;
    }
    if (x == 0) continue;  // the fields show plain "0", never "-0"
    std::snprintf(buf, sizeof buf, "%.15g", x);
    std::string g(buf);
    if (g.find('e') != std::string::npos) g[g.find('e')] = 'E';
    if (g.rfind("0.", 0) == 0) g.erase(0, 1);
    if (g.rfind("-0.", 0) == 0) g.erase(1, 1);
    ASSERT_EQ(formatPlain(x), g) << "x=" << x;
    // Reading back: the fast path and strtod agree on every text we write.
    const std::string t = formatResult(x);
    ASSERT_EQ(value(t), std::strtod(t.c_str(), nullptr)) << t;
    if (g.find('E') == std::string::npos) {
      ASSERT_EQ(value(g), std::strtod(buf, nullptr)) << g;
    }
  }
}

}  // namespace
}  // namespace velmar
