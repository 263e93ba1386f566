#pragma once
// The named constants of the form: the rules of the starting and automatic
// delta T, and the sizes of the windows at a first start (the physical
// ones are in astro/constants.h). Units are in the comments; sizes are twips (1440 to the inch).
#include <optional>

namespace velmar {

// --- delta T, seconds -----------------------------------------------------------

// At startup (and in velmar-cli without --delta-t) delta T is the year less
// this: 67 for 2001.
inline constexpr double kStartDeltaTBaseYear = 1934;
// Automatic delta T applies to years after kAutoDeltaTAfterYear and is the
// year less kAutoDeltaTBaseYear: 66 for 2001, 0 for 1935. Earlier years
// keep the field as it is.
inline constexpr double kAutoDeltaTAfterYear = 1934;
inline constexpr double kAutoDeltaTBaseYear = 1935;

inline double startingDeltaT(double year) { return year - kStartDeltaTBaseYear; }
// What the reading of the fields writes when the automatic box is ticked; none for the years
// that keep their value.
inline std::optional<double> automaticDeltaT(double year) {
  if (year > kAutoDeltaTAfterYear) return year - kAutoDeltaTBaseYear;
  return std::nullopt;
}

// --- window sizes at a first start, twips ----------------------------------------

struct TwipSize {
  float height, width;
};
inline constexpr TwipSize kDataWindowSize{5388, 8736};
inline constexpr TwipSize kGraphWindowSize{5490, 8736};
inline constexpr TwipSize kGraphWindowSizeOnSave{5388, 8736};
inline constexpr TwipSize kFaceWindowSize{2800, 2800};
inline constexpr TwipSize kOrbitWindowSize{2500, 2500};
inline constexpr TwipSize kSkyWindowSize{2500, 5000};
inline constexpr TwipSize kShadowWindowSize{2500, 3500};
inline constexpr TwipSize kShadowWindowSizeOnSave{2500, 5000};
inline constexpr TwipSize kSunWindowSize{2500, 3500};
// The time pad is centred as if it were 2256 high (1884 wide, 1908 when
// the settings are saved with every window to be centred again), and then
// given its size, 2350 x 1884, whatever was stored.
inline constexpr TwipSize kTimePadCentringSize{2256, 1884};
inline constexpr TwipSize kTimePadCentringSizeOnSave{2256, 1908};
inline constexpr TwipSize kTimePadSize{2350, 1884};

}  // namespace velmar
