#include "views/orbit_view.h"

#include "astro/angles.h"

namespace velmar {

// Longitude 0 points up and longitudes grow counter-clockwise: the Earth
// stands at heliocentric longitude sunLongitude + 180, the Moon at
// geocentric longitude sunLongitude + p.
void drawOrbits(const FormModel& form, const astro::Calculation& c, double w, double h, bool orbits,
                ViewPicture& pic) {
  const double sunLongitude = c.sunLongitude.value;
  using namespace palette;
  pic.start("Moon Phase", form);
  pic.ops.push_back(DrawOp::clear(kOrbitBackground));
  const double p = c.phase.shown;
  // The Earth's orbit; everything else is sized from it.
  const double R = 0.75 * (w / 2 > h / 2 ? h / 2 : w / 2);
  const double ex = w / 2 + R * dsin(180 - sunLongitude);
  const double ey = h / 2 - R * dcos(180 - sunLongitude);
  const double a = 180 + (180 - sunLongitude) - p;
  const double mx = ex + (R / 4) * dsin(a);
  const double my = ey - (R / 4) * dcos(a);
  pic.ops.push_back(DrawOp::disk(w / 2, h / 2, R / 8, kRed));
  if (orbits) {
    pic.ops.push_back(DrawOp::circle(w / 2, h / 2, R, kBlue));
    pic.ops.push_back(DrawOp::circle(ex, ey, R / 4, kYellow));
  }
  pic.ops.push_back(DrawOp::disk(ex, ey, R / 12, kBlue));
  pic.ops.push_back(DrawOp::disk(mx, my, R / 15, kYellow));
}

}  // namespace velmar
