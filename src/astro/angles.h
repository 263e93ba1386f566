#pragma once
// Degrees in, degrees out. The conversion factors are the program's own
// thirteen- and fourteen-digit constants, not full-precision pi/180: every
// twelve-decimal result depends on them, so they must not be "improved".
namespace velmar {

inline constexpr double kDegToRad = 0.017453292519943;
inline constexpr double kRadToDeg = 57.295779513082;

double dcos(double x);
double dsin(double x);
double datan(double x);
// atan(x / sqrt(1 - x*x)); the caller handles |x| >= 1.
double dasin(double x);

}  // namespace velmar
