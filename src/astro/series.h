#pragma once
// Periodic terms of the Sun and Moon series. Every term is
//   A * dcos(R * t + P)
// with t in Julian centuries from J2000.0 (dynamical time), R in degrees per
// century and P in degrees; A is in the unit of the series. A row marked
// timesT has the amplitude A * t. The rows are summed in the order given, one
// after the other: the order is part of the result's last digits.
//
// The sums below are the only place the tables are summed: the main
// calculation and the almanac's pure functions both call them.
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/angles.h"

namespace velmar {

struct Term {
  double a;
  double r;
  double p;
  bool timesT;
};

// Sun longitude, A in degrees; added to 280.4659 + 36000.7695 t.
inline constexpr std::array<Term, 16> kSunLongitudeTerms{{
    {1.9147, 35999.05, 267.52, false},  // 1
    {-0.0048, 35999.05, 267.52, true},  // 2
    {0.02, 71998.1, 265.1, false},      // 3
    {0.002, 32964, 158, false},         // 4
    {0.0018, 19, 159, false},           // 5
    {0.0018, 445267, 208, false},       // 6
    {0.0015, 45038, 254, false},        // 7
    {0.0013, 22519, 352, false},        // 8
    {0.0007, 65929, 45, false},         // 9
    {0.0007, 3035, 110, false},         // 10
    {0.0007, 9038, 64, false},          // 11
    {0.0006, 33718, 316, false},        // 12
    {0.0005, 155, 118, false},          // 13
    {0.0005, 2281, 221, false},         // 14
    {0.0004, 29930, 48, false},         // 15
    {0.0004, 31557, 161, false},        // 16
}};
static_assert(kSunLongitudeTerms.size() == 16);

// Sun distance, A in AU; added to 1.00014.
inline constexpr std::array<Term, 8> kSunDistanceTerms{{
    {0.016706, 35999.05, 177.53, false},  // 1
    {-0.000042, 35999.05, 177.53, true},  // 2
    {0.000139, 71998, 175, false},        // 3
    {0.000031, 445267, 298, false},       // 4
    {0.000016, 32964, 68, false},         // 5
    {0.000016, 45038, 164, false},        // 6
    {0.000005, 22519, 233, false},        // 7
    {0.000005, 33718, 226, false},        // 8
}};
static_assert(kSunDistanceTerms.size() == 8);

// Moon longitude, A in degrees; added to the mean longitude 218.316 + 481267.8809 t.
inline constexpr std::array<Term, 61> kMoonLongitudeTerms{{
    {6.2888, 477198.868, 44.963, false},  // 1
    {1.274, 413335.35, 10.74, false},     // 2
    {0.6583, 890534.22, 145.7, false},    // 3
    {0.2136, 954397.74, 179.93, false},   // 4
    {0.1851, 35999.05, 87.53, false},     // 5
    {0.1144, 966404, 276.5, false},       // 6
    {0.0588, 63863.5, 124.2, false},      // 7
    {0.0571, 377336.3, 13.2, false},      // 8
    {0.0533, 1367733.1, 280.7, false},    // 9
    {0.0458, 854535.2, 148.2, false},     // 10
    {0.0409, 441199.8, 47.4, false},      // 11
    {0.0347, 445267.1, 27.9, false},      // 12
    {0.0304, 513197.9, 222.5, false},     // 13
    {0.0154, 75870, 41, false},           // 14
    {0.0125, 1443603, 52, false},         // 15
    {0.011, 489205, 142, false},          // 16
    {0.0107, 1303870, 246, false},        // 17
    {0.01, 1431597, 315, false},          // 18
    {0.0085, 826671, 111, false},         // 19
    {0.0079, 449334, 188, false},         // 20
    {0.0068, 926533, 323, false},         // 21
    {0.0052, 31932, 107, false},          // 22
    {0.005, 481266, 205, false},          // 23
    {0.004, 1331734, 283, false},         // 24
    {0.004, 1844932, 56, false},          // 25
    {0.004, 133, 29, false},              // 26
    {0.0038, 1781068, 21, false},         // 27
    {0.0037, 541062, 259, false},         // 28
    {0.0028, 1934, 145, false},           // 29
    {0.0027, 918399, 182, false},         // 30
    {0.0026, 1379739, 17, false},         // 31
    {0.0024, 99863, 122, false},          // 32
    {0.0023, 922466, 163, false},         // 33
    {0.0022, 818536, 151, false},         // 34
    {0.0021, 990397, 357, false},         // 35
    {0.0021, 71998, 85, false},           // 36
    {0.0021, 341337, 16, false},          // 37
    {0.0018, 401329, 274, false},         // 38
    {0.0016, 1856938, 152, false},        // 39
    {0.0012, 1267871, 249, false},        // 40
    {0.0011, 1920802, 186, false},        // 41
    {0.0009, 858602, 129, false},         // 42
    {0.0008, 1403732, 98, false},         // 43
    {0.0007, 790672, 114, false},         // 44
    {0.0007, 405201, 50, false},          // 45
    {0.0007, 485333, 186, false},         // 46
    {0.0007, 27864, 127, false},          // 47
    {0.0006, 111869, 38, false},          // 48
    {0.0006, 2258267, 156, false},        // 49
    {0.0005, 1908795, 90, false},         // 50
    {0.0005, 1745069, 24, false},         // 51
    {0.0005, 509131, 242, false},         // 52
    {0.0004, 39871, 223, false},          // 53
    {0.0004, 12006, 187, false},          // 54
    {0.0003, 958465, 340, false},         // 55
    {0.0003, 381404, 354, false},         // 56
    {0.0003, 349472, 337, false},         // 57
    {0.0003, 1808933, 58, false},         // 58
    {0.0003, 549197, 220, false},         // 59
    {0.0003, 4067, 70, false},            // 60
    {0.0003, 2322131, 191, false},        // 61
}};
static_assert(kMoonLongitudeTerms.size() == 61);

// Moon latitude, A in degrees; no constant term.
inline constexpr std::array<Term, 45> kMoonLatitudeTerms{{
    {5.1281, 483202.019, 3.273, false},  // 1
    {0.2806, 960400.89, 138.24, false},  // 2
    {0.2777, 6003.15, 48.31, false},     // 3
    {0.1733, 407332.2, 52.43, false},    // 4
    {0.0554, 896537.4, 104, false},      // 5
    {0.0463, 69866.7, 82.5, false},      // 6
    {0.0326, 1373736.2, 239, false},     // 7
    {0.0172, 1437599.8, 273.2, false},   // 8
    {0.0093, 884531, 187, false},        // 9
    {0.0088, 471196, 87, false},         // 10
    {0.0082, 371333, 55, false},         // 11
    {0.0043, 547066, 217, false},        // 12
    {0.0042, 1850935, 14, false},        // 13
    {0.0034, 443331, 230, false},        // 14
    {0.0025, 860538, 106, false},        // 15
    {0.0022, 481268, 308, false},        // 16
    {0.0022, 1337737, 241, false},       // 17
    {0.0021, 105866, 80, false},         // 18
    {0.0019, 924402, 141, false},        // 19
    {0.0018, 820668, 153, false},        // 20
    {0.0018, 519201, 181, false},        // 21
    {0.0018, 1449606, 10, false},        // 22
    {0.0015, 42002, 46, false},          // 23
    {0.0015, 928469, 121, false},        // 24
    {0.0015, 996400, 316, false},        // 25
    {0.0014, 29996, 129, false},         // 26
    {0.0013, 447203, 6, false},          // 27
    {0.0013, 37935, 65, false},          // 28
    {0.0011, 1914799, 48, false},        // 29
    {0.001, 1297866, 288, false},        // 30
    {0.0009, 1787072, 340, false},       // 31
    {0.0008, 972407, 235, false},        // 32
    {0.0007, 1309873, 205, false},       // 33
    {0.0006, 559072, 134, false},        // 34
    {0.0006, 1361730, 322, false},       // 35
    {0.0005, 848532, 190, false},        // 36
    {0.0005, 419339, 149, false},        // 37
    {0.0005, 948395, 222, false},        // 38
    {0.0004, 2328134, 149, false},       // 39
    {0.0004, 1024264, 352, false},       // 40
    {0.0003, 932536, 282, false},        // 41
    {0.0003, 1409735, 57, false},        // 42
    {0.0003, 2264270, 115, false},       // 43
    {0.0003, 1814936, 16, false},        // 44
    {0.0003, 335334, 57, false},         // 45
}};
static_assert(kMoonLatitudeTerms.size() == 45);

// Moon horizontal parallax, A in degrees; added to 0.950725.
inline constexpr std::array<Term, 43> kMoonParallaxTerms{{
    {0.05182, 477198.868, 134.963, false},  // 1
    {0.00953, 413335.35, 100.74, false},    // 2
    {0.007842, 890534.22, 235.7, false},    // 3
    {0.002824, 954397.74, 269.93, false},   // 4
    {0.000858, 1367733.1, 10.7, false},     // 5
    {0.000531, 854535.2, 238.2, false},     // 6
    {0.0004, 377336.3, 103.2, false},       // 7
    {0.000319, 441199.8, 137.4, false},     // 8
    {0.000271, 445267, 118, false},         // 9
    {0.000263, 513198, 312, false},         // 10
    {0.000197, 489205, 232, false},         // 11
    {0.000173, 1431597, 45, false},         // 12
    {0.000167, 1303870, 336, false},        // 13
    {0.000111, 35999, 178, false},          // 14
    {0.000103, 826671, 201, false},         // 15
    {0.000084, 63864, 214, false},          // 16
    {0.000083, 926533, 53, false},          // 17
    {0.000078, 1844932, 146, false},        // 18
    {0.000073, 1781068, 111, false},        // 19
    {0.000064, 1331734, 13, false},         // 20
    {0.000063, 449334, 278, false},         // 21
    {0.000041, 481266, 295, false},         // 22
    {0.000034, 918399, 272, false},         // 23
    {0.000033, 541062, 349, false},         // 24
    {0.000031, 922466, 253, false},         // 25
    {0.00003, 75870, 131, false},           // 26
    {0.000029, 990397, 87, false},          // 27
    {0.000026, 818536, 241, false},         // 28
    {0.000023, 553069, 266, false},         // 29
    {0.000019, 1267871, 339, false},        // 30
    {0.000013, 1403732, 188, false},        // 31
    {0.000013, 341337, 106, false},         // 32
    {0.000013, 401329, 4, false},           // 33
    {0.000012, 2258267, 246, false},        // 34
    {0.000011, 1908795, 180, false},        // 35
    {0.000011, 858602, 219, false},         // 36
    {0.00001, 1745069, 114, false},         // 37
    {0.000009, 790672, 204, false},         // 38
    {0.000007, 2322131, 281, false},        // 39
    {0.000007, 1808933, 148, false},        // 40
    {0.000006, 485333, 276, false},         // 41
    {0.000006, 99863, 212, false},          // 42
    {0.000005, 405201, 140, false},         // 43
}};
static_assert(kMoonParallaxTerms.size() == 43);

// Adds the terms one after the other to `acc`, in table order.
template <size_t N>
inline double addTerms(double acc, const std::array<Term, N>& terms, double t) {
  double sum = acc;
  for (const Term& term : terms) {
    const double a = term.timesT ? term.a * t : term.a;
    sum = sum + a * dcos(term.r * t + term.p);
  }
  return sum;
}

// The rate of the same sum, in its unit per Julian century.
template <size_t N>
inline double addTermRates(double acc, const std::array<Term, N>& terms, double t) {
  double sum = acc;
  for (const Term& term : terms) {
    const double a = term.timesT ? term.a * t : term.a;
    sum = sum - a * term.r * kDegToRad * dsin(term.r * t + term.p);
    if (term.timesT) sum = sum + term.a * dcos(term.r * t + term.p);
  }
  return sum;
}

// [0, 360) through the fraction of turns; negative sums come out right.
inline double reduceDegrees(double x, double& turns) {
  turns = x / 360;
  turns = (turns - std::trunc(turns)) + 1;
  return (turns - std::trunc(turns)) * 360;
}

// The Sun's longitude before reduction, degrees.
inline double sunLongitudeSum(double t) {
  return addTerms(280.4659 + 36000.7695 * t, kSunLongitudeTerms, t);
}

// The Sun's distance, AU.
inline double sunDistanceSum(double t) { return addTerms(1.00014, kSunDistanceTerms, t); }

// The Moon's mean longitude, where its longitude series starts.
inline double moonMeanLongitude(double t) { return 218.316 + 481267.8809 * t; }

// The Moon's longitude before reduction, degrees.
inline double moonLongitudeSum(double t) {
  return addTerms(moonMeanLongitude(t), kMoonLongitudeTerms, t);
}

// The Moon's latitude, degrees: the first term is the start of the sum.
inline double moonLatitudeSum(double t) {
  const Term& first = kMoonLatitudeTerms[0];
  double sum = first.a * dcos(first.r * t + first.p);
  for (size_t i = 1; i < kMoonLatitudeTerms.size(); ++i) {
    const Term& term = kMoonLatitudeTerms[i];
    sum = sum + term.a * dcos(term.r * t + term.p);
  }
  return sum;
}

// The Moon's horizontal parallax, degrees.
inline double moonParallaxSum(double t) { return addTerms(0.950725, kMoonParallaxTerms, t); }

// Its rate, degrees per Julian century: zero at perigee and apogee.
inline double moonParallaxRate(double t) { return addTermRates(0.0, kMoonParallaxTerms, t); }

// The Moon's distance in km from its parallax, with the series' own
// equatorial radius of the Earth.
inline double moonDistanceKm(double parallax) {
  const double d = 1 / dsin(parallax);
  return d * 6378.14;
}

}  // namespace velmar
