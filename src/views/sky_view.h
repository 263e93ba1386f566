#pragma once
// The sky view: the southern sky of the site as azimuth against altitude,
// the Sun and the Moon as dots, optionally leaving a trail.
#include "astro/calculation.h"
#include "engine/form.h"
#include "views/view_picture.h"

namespace velmar {

// Where the Sun and the Moon were last drawn, in picture twips; 0 at
// program start. They outlive the window, so a reopened view continues the
// trail.
struct SkyTrail {
  double skyMoonX = 0;
  double skyMoonY = 0;
  double skySunX = 0;
  double skySunY = 0;
};

struct SkySwitches {
  bool trail = false;  // the window's "軌跡"
  bool big = false;    // the main window's bigsky
};

// The drawing for a drawable area of w x h twips, with the Sun at the given
// place and the Moon at its azimuth and altitude as their fields show them.
// Moves the trail to the dots drawn.
void skyPicture(const FormModel& form, const astro::Calculation& c, double sunAzimuth,
                double sunAltitude, double w, double h, SkySwitches sw, SkyTrail& trail,
                ViewPicture& out);
inline ViewPicture skyPicture(const FormModel& form, const astro::Calculation& c,
                              double sunAzimuth, double sunAltitude, double w, double h,
                              SkySwitches sw, SkyTrail& trail) {
  ViewPicture pic;
  skyPicture(form, c, sunAzimuth, sunAltitude, w, h, sw, trail, pic);
  return pic;
}

// The Sun's place seen from the site (astro::sunFromSite), then the picture.
void drawSky(const FormModel& form, const astro::Calculation& c, double w, double h,
             SkySwitches sw, SkyTrail& trail, ViewPicture& out);

}  // namespace velmar
