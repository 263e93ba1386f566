#pragma once
// The sky view: the southern sky of the site as azimuth against altitude,
// the Sun and the Moon as dots, optionally leaving a trail.
#include "engine/calc_record.h"
#include "engine/conversions.h"
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

// The Sun's right ascension and declination: the Moon's conversion applied
// to the Sun's longitude with a latitude of 0.
Equatorial sunsekii(const CalcRecord& rec);
// The Sun's azimuth and altitude for the record's clock time and site and
// the displayed Julian Day.
Horizontal sunkoudo(const CalcRecord& rec, double julianDay, const Equatorial& sun);

struct SkySwitches {
  bool trail = false;  // the window's "軌跡"
  bool big = false;    // the main window's bigsky
};

// The drawing for a drawable area of w x h twips, with the Sun at the given
// place and the Moon at its displayed azimuth and altitude. Moves the trail
// to the dots drawn.
void skyPicture(const FormModel& form, double sunAzimuth, double sunAltitude, double w, double h,
                SkySwitches sw, SkyTrail& trail, ViewPicture& out);
inline ViewPicture skyPicture(const FormModel& form, double sunAzimuth, double sunAltitude,
                              double w, double h, SkySwitches sw, SkyTrail& trail) {
  ViewPicture pic;
  skyPicture(form, sunAzimuth, sunAltitude, w, h, sw, trail, pic);
  return pic;
}

// skydraw: the Sun's place from the record and the displayed Julian Day,
// then the picture.
void skydraw(const FormModel& form, const CalcRecord& rec, double w, double h, SkySwitches sw,
             SkyTrail& trail, ViewPicture& out);

}  // namespace velmar
