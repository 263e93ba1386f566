#include "views/eclipse_views.h"

#include "astro/constants.h"

namespace velmar {

namespace {

// The shorter side of the drawable area.
double shorter(double w, double h) { return w < h ? w : h; }

}  // namespace

void drawEarthShadow(const FormModel& form, const astro::Calculation& c, double w, double h,
                     bool big, ViewPicture& pic) {
  using namespace palette;
  pic.start("Eclipse View", form);
  const double m = shorter(w, h);
  // s: degrees across the shorter side; q: that side over the Moon's
  // radius at the mean distance.
  const double s = big ? 2.7 : 8.1;
  const double q = big ? 10 : 30;
  const double p = c.phase.shown;
  const double beta = c.moonLatitude.shown;
  const double d = c.moonDistance.shown;
  // A nearer Moon is larger.
  const double rm = (2 - d / kMeanLunarDistance) * m / q;
  // Opposition in the centre; a growing elongation moves the Moon east
  // (left), a northern latitude up.
  const double mx = w / 2 - (p - 180) * m / s;
  const double my = h / 2 - beta * m / s;
  pic.ops.push_back(DrawOp::clear(kSkyBackground));
  pic.ops.push_back(DrawOp::disk(w / 2, h / 2, 4.5 * rm, kOlive));
  pic.ops.push_back(DrawOp::disk(mx, my, 0.9 * rm, kYellow));
  // The umbra covers whatever part of the Moon lies inside it.
  pic.ops.push_back(DrawOp::disk(w / 2, h / 2, 2.55 * rm, kDarkRed));
  pic.ops.push_back(DrawOp::circle(mx, my, 0.9 * rm, kYellow));
  pic.ops.push_back(DrawOp::circle(w / 2, h / 2, 4.5 * rm, kOlive));
}

void drawSunCentred(const FormModel& form, const astro::Calculation& c, double w, double h,
                    bool big, ViewPicture& pic) {
  using namespace palette;
  // The same words as the shadow view's, although the window's own title
  // differs.
  pic.start("Eclipse View", form);
  const double m = shorter(w, h);
  const double s = big ? 1.5 : 10;
  const double q = big ? 5 : 33.33333333333;
  // Both bodies 0.3 degrees in radius, at either scale.
  const double rs = m / q;
  const double p = c.phase.shown;
  const double beta = c.moonLatitude.shown;
  // The elongation in -180 < p' <= 180: a Moon just past the Sun stands
  // to its left (east).
  const double pp = p <= 180 ? p : p - 360;
  const double mx = w / 2 - pp * m / s;
  const double my = h / 2 - beta * m / s;
  pic.ops.push_back(DrawOp::clear(kSkyBackground));
  pic.ops.push_back(DrawOp::disk(w / 2, h / 2, rs, kRed));
  pic.ops.push_back(DrawOp::disk(mx, my, rs, kOlive));
  pic.ops.push_back(DrawOp::circle(w / 2, h / 2, rs, kRed));
}

}  // namespace velmar
