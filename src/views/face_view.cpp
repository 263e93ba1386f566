#include "views/face_view.h"

#include "views/phase_disk.h"

namespace velmar {

void drawMoonFace(const FormModel& form, const astro::Calculation& c, double w, double h,
                  ViewPicture& pic) {
  pic.start("MoonFace", form);
  const double cx = w / 2;
  const double cy = h / 2;
  // Ten twips of margin; a window too small for that still gets a dot.
  double r = (cx > cy ? cy : cx) - 10;
  if (r < 1) r = 1;
  phaseDisk(pic.ops, cx, cy, r, c.phase.shown, c.illumination.shown);
}

}  // namespace velmar
