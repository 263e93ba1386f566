#pragma once
// The orbit view: the Sun, the Earth and the Moon seen from the north side
// of the ecliptic, on circular orbits of fixed proportions.
#include "astro/calculation.h"
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// From the Sun's longitude as calculated and the phase angle as its field
// shows it. `orbits`: the window's "軌道" box.
void drawOrbits(const FormModel& form, const astro::Calculation& c, double w, double h, bool orbits,
                ViewPicture& out);
inline ViewPicture drawOrbits(const FormModel& form, const astro::Calculation& c, double w,
                              double h, bool orbits) {
  ViewPicture pic;
  drawOrbits(form, c, w, h, orbits, pic);
  return pic;
}

}  // namespace velmar
