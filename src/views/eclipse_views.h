#pragma once
// The eclipse views: the Moon against the Earth's shadow (lunar eclipses)
// and against the Sun (solar eclipses), on a field of a few degrees.
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// From the displayed phase angle, ecliptic latitude and, for the shadow,
// distance. `big`: the main window's "拡大表示" for that view (bigview,
// bigsun); the bodies keep their angular sizes at either scale.
void shadowdraw(const FormModel& form, double w, double h, bool big, ViewPicture& out);
void sundraw(const FormModel& form, double w, double h, bool big, ViewPicture& out);
inline ViewPicture shadowdraw(const FormModel& form, double w, double h, bool big) {
  ViewPicture pic;
  shadowdraw(form, w, h, big, pic);
  return pic;
}
inline ViewPicture sundraw(const FormModel& form, double w, double h, bool big) {
  ViewPicture pic;
  sundraw(form, w, h, big, pic);
  return pic;
}

}  // namespace velmar
