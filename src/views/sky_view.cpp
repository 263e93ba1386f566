#include "views/sky_view.h"

namespace velmar {

// The picture shows azimuths 60 (left edge) to 300 (right edge), south in
// the middle and east on the left, and altitudes from the horizon (bottom)
// to the zenith (top). A body outside that lies outside the picture.
void skyPicture(const FormModel& form, const astro::Calculation& c, double sunAzimuth,
                double sunAltitude, double w, double h, SkySwitches sw, SkyTrail& trail,
                ViewPicture& pic) {
  using namespace palette;
  const double m = h > w ? w : h;
  const double d = sw.big ? 0.02 * m : 0.01 * m;  // dot radius
  pic.start("Sky View", form);
  std::vector<DrawOp>& ops = pic.ops;
  if (sw.trail) {
    // The previous dots become trail marks; nothing is cleared.
    ops.push_back(DrawOp::disk(trail.skyMoonX, trail.skyMoonY, d, kOlive));
    ops.push_back(DrawOp::circle(trail.skyMoonX, trail.skyMoonY, d, kBlack));
    ops.push_back(DrawOp::disk(trail.skySunX, trail.skySunY, d, kPurple));
    ops.push_back(DrawOp::circle(trail.skySunX, trail.skySunY, d, kBlack));
  } else {
    ops.push_back(DrawOp::clear(kSkyBackground));
  }
  // Altitudes 67.5, 45 and 22.5; east, south and west.
  for (double f : {0.25, 0.5, 0.75}) ops.push_back(DrawOp::line(0, f * h, w, f * h, kGrey));
  for (double f : {0.125, 0.5, 0.875}) ops.push_back(DrawOp::line(f * w, 0, f * w, h, kGrey));
  pic.sunAzimuth = sunAzimuth;
  pic.sunAltitude = sunAltitude;
  trail.skySunX = w / 240 * sunAzimuth - w / 36 * 9;
  trail.skySunY = h - sunAltitude * h / 90;
  ops.push_back(DrawOp::disk(trail.skySunX, trail.skySunY, d, kRed));
  trail.skyMoonX = w / 240 * c.azimuth.shown - w / 36 * 9;
  trail.skyMoonY = h - c.altitude.shown * h / 90;
  ops.push_back(DrawOp::disk(trail.skyMoonX, trail.skyMoonY, d, kYellow));
}

void drawSky(const FormModel& form, const astro::Calculation& c, double w, double h,
             SkySwitches sw, SkyTrail& trail, ViewPicture& out) {
  const Horizontal sun = astro::sunFromSite(c);
  skyPicture(form, c, sun.azimuth, sun.altitude, w, h, sw, trail, out);
}

}  // namespace velmar
