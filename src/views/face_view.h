#pragma once
// The moon face view: the main window's lit Moon as large as its window.
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// For a drawable area of w x h twips, from the displayed phase angle and
// illuminated fraction. It does not clear: the disk covers what the last
// drawing left, and the window clears when its size changes.
void facedraw(const FormModel& form, double w, double h, ViewPicture& out);
inline ViewPicture facedraw(const FormModel& form, double w, double h) {
  ViewPicture pic;
  facedraw(form, w, h, pic);
  return pic;
}

}  // namespace velmar
