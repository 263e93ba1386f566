#pragma once
// Solar eclipses: every eclipse of the Sun on the Earth as a whole (its
// kind, greatest eclipse, magnitude and gamma), and what an observer at a
// site sees of it (contacts, depth, the Sun's place). The new moons are
// screened with the program's fast series; only the candidates are asked
// of the precise ephemeris (astro/ephemeris.h).
//
// Instants are Julian Days of UT; one delta T (seconds) holds for a whole
// computation. Angles in degrees. The Moon's radius is k = 0.2725076 Earth
// equatorial radii, the value eclipse predictions use, and the Sun's
// 696 000 km. Plain values, no texts: the names are in
// output/almanac_text.h.
#include <optional>
#include <vector>

#include "astro/astro.h"

namespace velmar::solar {

inline constexpr double kMoonRadiusEarthRadii = 0.2725076;
inline constexpr double kSunRadiusKm = 696000;

enum class Kind { Partial, Annular, Total, Hybrid };

// One eclipse on the Earth as a whole.
struct Eclipse {
  Kind kind;
  // The instant the axis of the Moon's shadow passes closest to the
  // Earth's centre (UT).
  double greatest;
  // At greatest eclipse: for a partial eclipse, the fraction of the Sun's
  // diameter covered where the eclipse is deepest; for a central one, the
  // ratio of the Moon's apparent diameter to the Sun's on the axis.
  double magnitude;
  // The least distance of the shadow's axis from the Earth's centre, in
  // Earth equatorial radii; positive when the axis passes north of it.
  double gamma;
};

// The eclipses with fromJd <= greatest < toJd, in time order.
std::vector<Eclipse> eclipses(double fromJd, double toJd, double deltaT);

// What one site on the sea-level ellipsoid sees.
enum class LocalKind { Partial, Annular, Total };

// The Sun at one instant of the local eclipse.
struct Contact {
  double jd;        // UT
  double altitude;  // of the Sun's centre, refraction included
  double azimuth;   // from north through east, [0, 360)
};

struct LocalEclipse {
  Eclipse global;  // the eclipse as eclipses() gives it
  LocalKind kind;
  Contact begin;    // 食の始め: first contact
  Contact maximum;  // 食の最大: the site's least distance from the shadow's axis
  Contact end;      // 食の終わり: last contact
  // 第2接触 and 第3接触: only where the eclipse is total or annular here.
  std::optional<Contact> secondContact, thirdContact;
  double magnitude;    // 食分: fraction of the Sun's diameter covered at maximum
  double obscuration;  // 面積比: fraction of the Sun's disc covered at maximum
  // The eclipse begins before sunrise (日出帯食) or ends after sunset
  // (日入帯食): the Sun is below the horizon at first or last contact.
  bool risesEclipsed;
  bool setsEclipsed;
};

// The eclipses with fromJd <= maximum < toJd of which some part is seen
// at the site with the Sun above the horizon, in time order.
std::vector<LocalEclipse> localEclipses(double fromJd, double toJd, const astro::Site& site,
                                        double deltaT);

}  // namespace velmar::solar
