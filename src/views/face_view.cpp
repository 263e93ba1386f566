#include "views/face_view.h"

#include "views/phase_disk.h"

namespace velmar {

ViewPicture facedraw(const FormModel& form, double w, double h) {
  ViewPicture pic;
  pic.title = "MoonFace " + instantTitle(form);
  const double cx = w / 2;
  const double cy = h / 2;
  // Ten twips of margin; a window too small for that still gets a dot.
  double r = (cx > cy ? cy : cx) - 10;
  if (r < 1) r = 1;
  pic.ops = phaseDisk(cx, cy, r, form.value(Field::Phase), form.value(Field::Illumination));
  return pic;
}

}  // namespace velmar
