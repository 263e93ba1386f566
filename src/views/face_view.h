#pragma once
// The moon face view: the main window's lit Moon as large as its window.
#include "astro/calculation.h"
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// For a drawable area of w x h twips, from the phase angle and illuminated
// fraction as their fields show them; the title from the form. It does not clear: the disk covers what the last
// drawing left, and the window clears when its size changes.
void drawMoonFace(const FormModel& form, const astro::Calculation& c, double w, double h,
                  ViewPicture& out);
inline ViewPicture drawMoonFace(const FormModel& form, const astro::Calculation& c, double w,
                                double h) {
  ViewPicture pic;
  drawMoonFace(form, c, w, h, pic);
  return pic;
}

}  // namespace velmar
