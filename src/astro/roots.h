#pragma once
// The root of a function between two instants where it has opposite signs,
// by regula falsi with the Illinois change: a few evaluations for the smooth
// functions of time the almanac refines.
#include <cmath>

namespace velmar::almanac {

// `fa` and `fb` are f(a) and f(b). Without a change of sign the end nearer
// to zero is returned.
template <typename F>
double findRoot(F f, double a, double fa, double b, double fb, double tolerance) {
  if (fa == 0) return a;
  if (fb == 0) return b;
  if ((fa > 0) == (fb > 0)) return std::fabs(fa) < std::fabs(fb) ? a : b;
  int side = 0;
  for (int i = 0; i < 60 && std::fabs(b - a) > tolerance; ++i) {
    const double c = b - fb * (b - a) / (fb - fa);
    const double fc = f(c);
    if (fc == 0) return c;
    if ((fc > 0) == (fb > 0)) {
      b = c;
      fb = fc;
      if (side == -1) fa /= 2;
      side = -1;
    } else {
      a = c;
      fa = fc;
      if (side == 1) fb /= 2;
      side = 1;
    }
  }
  return b - fb * (b - a) / (fb - fa);
}

// A root near a prediction `t0` where f(t0) = `f0` and the function moves
// at about `rate` per day: one Newton step on that rate, then secant steps
// on the values, until a step moves less than `stop` days. For the smooth
// precise functions of time, where each value costs a position.
template <typename F>
double refineRoot(F f, double t0, double f0, double rate, double stop) {
  double t1 = t0 - f0 / rate;
  if (std::fabs(t1 - t0) < stop) return t1;
  for (int i = 0; i < 6; ++i) {
    const double f1 = f(t1);
    if (f1 == f0) break;
    const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
    t0 = t1;
    f0 = f1;
    t1 = t2;
    if (std::fabs(t1 - t0) < stop) break;
  }
  return t1;
}

}  // namespace velmar::almanac
