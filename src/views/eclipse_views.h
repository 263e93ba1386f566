#pragma once
// The eclipse views: the Moon against the Earth's shadow (lunar eclipses)
// and against the Sun (solar eclipses), on a field of a few degrees.
#include "astro/calculation.h"
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// From the phase angle, ecliptic latitude and, for the shadow, distance as
// their fields show them. `big`: the main window's "拡大表示" for that view (bigview,
// bigsun); the bodies keep their angular sizes at either scale.
void drawEarthShadow(const FormModel& form, const astro::Calculation& c, double w, double h,
                     bool big, ViewPicture& out);
void drawSunCentred(const FormModel& form, const astro::Calculation& c, double w, double h,
                    bool big, ViewPicture& out);
inline ViewPicture drawEarthShadow(const FormModel& form, const astro::Calculation& c, double w,
                                   double h, bool big) {
  ViewPicture pic;
  drawEarthShadow(form, c, w, h, big, pic);
  return pic;
}
inline ViewPicture drawSunCentred(const FormModel& form, const astro::Calculation& c, double w,
                                  double h, bool big) {
  ViewPicture pic;
  drawSunCentred(form, c, w, h, big, pic);
  return pic;
}

}  // namespace velmar
