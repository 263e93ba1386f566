#include "astro/angles.h"

#include <cmath>

namespace velmar {

double dcos(double x) { return std::cos(x * kDegToRad); }
double dsin(double x) { return std::sin(x * kDegToRad); }
double datan(double x) { return std::atan(x) * kRadToDeg; }
double dasin(double x) { return std::atan(x / std::sqrt(1 - x * x)) * kRadToDeg; }

}  // namespace velmar
