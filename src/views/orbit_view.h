#pragma once
// The orbit view: the Sun, the Earth and the Moon seen from the north side
// of the ecliptic, on circular orbits of fixed proportions.
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// `sunLongitude` in degrees as the record holds it; the phase angle comes
// from its displayed field. `orbits`: the window's "軌道" box.
void orbitdraw(const FormModel& form, double sunLongitude, double w, double h, bool orbits,
               ViewPicture& out);
inline ViewPicture orbitdraw(const FormModel& form, double sunLongitude, double w, double h,
                             bool orbits) {
  ViewPicture pic;
  orbitdraw(form, sunLongitude, w, h, orbits, pic);
  return pic;
}

}  // namespace velmar
