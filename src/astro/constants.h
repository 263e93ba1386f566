#pragma once
// The physical and time constants of the astronomy layer. Units in the
// comments.

namespace velmar {

// The Julian Day of the epoch J2000.0 (2000-01-01 12:00 TT).
inline constexpr double kJ2000 = 2451545.0;
// Days in a Julian century.
inline constexpr double kDaysPerCentury = 36525;
// The Moon's mean distance from the Earth, km.
inline constexpr double kMeanLunarDistance = 384401;
// The circle's ratio to its diameter, as a double holds it. The series
// keep their own shorter degree factors (angles.h).
inline constexpr double kPi = 3.14159265358979323846;

}  // namespace velmar
