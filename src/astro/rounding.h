#pragma once
// The named rounding steps of the main calculation: what a result field
// shows, read back as a number. The calculation rounds where the program
// has always read its own displayed values back (the searches compare the
// twelve-decimal phase, the moon age subtracts the displayed Julian Days),
// and only there.
#include <cstdint>

namespace velmar::astro {

__extension__ typedef unsigned __int128 Digits128;

// Exact powers of ten up to 10^22, the largest a double holds exactly.
inline constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^0 to 10^19, every power of ten a uint64_t holds.
inline constexpr uint64_t kPow10u[] = {1ull,
                                10ull,
                                100ull,
                                1000ull,
                                10000ull,
                                100000ull,
                                1000000ull,
                                10000000ull,
                                100000000ull,
                                1000000000ull,
                                10000000000ull,
                                100000000000ull,
                                1000000000000ull,
                                10000000000000ull,
                                100000000000000ull,
                                1000000000000000ull,
                                10000000000000000ull,
                                100000000000000000ull,
                                1000000000000000000ull,
                                10000000000000000000ull};

// round-half-even(ax * 10^d), computed exactly in 128-bit integers, for
// finite ax >= 0. False when it does not fit; the caller then takes the
// general conversion. Both give the correctly rounded digits.
bool scaledRound(double ax, int d, Digits128& q);

// The digits a fixed mask with `decimals` decimals (at most 14) shows for
// x: round-half-even(|x| * 10^decimals) on the exact binary value. False
// for not a number, the infinities and digits beyond 64 bits.
bool roundedDigits(double x, int decimals, uint64_t& digits);

// A number as a fixed mask with `decimals` decimals shows it (half to even
// on the exact binary value), read back: correctly rounded, as reading the
// text would give. Not a number and the infinities show no digits and read
// 0.
double shownWithDecimals(double x, int decimals);
// A number as the general numeric text shows it: at most 15 significant
// digits, read back as the field reads it (an exponent's digits are not
// read).
double shownWithSignificantDigits(double x);

}  // namespace velmar::astro
