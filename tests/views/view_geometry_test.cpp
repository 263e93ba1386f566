// The views' drawings: where each body lands, at which size, in which order.
#include <gtest/gtest.h>

#include "engine/numtext.h"
#include "views/eclipse_views.h"
#include "views/face_view.h"
#include "views/orbit_view.h"
#include "views/sky_view.h"

namespace velmar {
namespace {

using namespace palette;
using Kind = DrawOp::Kind;

// Results as their fields show them, at 2001-3-9 21:5:0 in the form.
struct Showing {
  FormModel form;
  astro::Calculation c;
  Showing() { writeInstant(form, {"2001", "3", "9", "21", "5", "0"}); }
  Showing& set(Field f, double v) {
    astro::Shown* x = f == Field::Phase          ? &c.phase
                      : f == Field::Illumination ? &c.illumination
                      : f == Field::MoonLatitude ? &c.moonLatitude
                      : f == Field::MoonDistance ? &c.moonDistance
                      : f == Field::Azimuth      ? &c.azimuth
                                                 : &c.altitude;
    *x = {v, v};
    return *this;
  }
};

// Centre and radius of a disk or circle, within a thousandth of a twip
// (the angle helpers' constants are not exactly pi/180).
void expectRound(const DrawOp& op, Kind kind, double x, double y, double r, Rgb c,
                 const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(op.kind, kind);
  EXPECT_NEAR(op.x, x, 1e-3);
  EXPECT_NEAR(op.y, y, 1e-3);
  EXPECT_NEAR(op.rx, r, 1e-9);
  EXPECT_EQ(op.color, c);
}

TEST(FaceView, DiskFillsTheShorterSideLessTenTwips) {
  Showing s;
  s.set(Field::Phase, 180).set(Field::Illumination, 1);
  struct Row {
    const char* name;
    double w, h;
    double r;
  } rows[] = {
      {"tiny", 20, 20, 1},        // half the side is 10: no room left
      {"eleven", 22, 22, 1},      // 11 - 10
      {"a sliver", 2, 500, 1},    // would be negative
      {"wide", 3000, 1000, 490},  // sized by the height
      {"tall", 1000, 3000, 490},  // sized by the width
  };
  for (const Row& row : rows) {
    const ViewPicture pic = drawMoonFace(s.form, s.c, row.w, row.h);
    ASSERT_FALSE(pic.ops.empty()) << row.name;
    // The full Moon: one yellow disk; nothing cleared (the window clears on
    // resizing only).
    expectRound(pic.ops[0], Kind::Disk, row.w / 2, row.h / 2, row.r, kYellow, row.name);
    for (const DrawOp& op : pic.ops) EXPECT_NE(op.kind, Kind::Clear) << row.name;
  }
  EXPECT_EQ(drawMoonFace(s.form, s.c, 100, 100).title, "MoonFace 2001/3/9 21:5:0");
}

TEST(OrbitView, EarthAndMoonFollowTheSunAndThePhase) {
  // A square of 2000 twips: the Earth's orbit R = 750.
  struct Row {
    const char* name;
    double sunLongitude, p;
    double ex, ey, mx, my;
  } rows[] = {
      // New moon at the March equinox: the Earth below the Sun, the Moon
      // between them.
      {"ls 0, p 0", 0, 0, 1000, 1750, 1000, 1750 - 187.5},
      // The Earth right of the Sun, the full Moon further right.
      {"ls 90, p 180", 90, 180, 1750, 1000, 1750 + 187.5, 1000},
      // First quarter at the June solstice: the Moon at longitude 180,
      // trailing the Earth on its counter-clockwise orbit, below it.
      {"ls 90, p 90", 90, 90, 1750, 1000, 1750, 1000 + 187.5},
  };
  for (const Row& row : rows) {
    Showing s;
    s.set(Field::Phase, row.p);
    s.c.sunLongitude = {row.sunLongitude, row.sunLongitude};
    const ViewPicture pic = drawOrbits(s.form, s.c, 2000, 2000, true);
    ASSERT_EQ(pic.ops.size(), 6u) << row.name;
    EXPECT_EQ(pic.ops[0], DrawOp::clear(kOrbitBackground)) << row.name;
    expectRound(pic.ops[1], Kind::Disk, 1000, 1000, 750.0 / 8, kRed, row.name);
    expectRound(pic.ops[2], Kind::Circle, 1000, 1000, 750, kBlue, row.name);
    expectRound(pic.ops[3], Kind::Circle, row.ex, row.ey, 750.0 / 4, kYellow, row.name);
    expectRound(pic.ops[4], Kind::Disk, row.ex, row.ey, 750.0 / 12, kBlue, row.name);
    expectRound(pic.ops[5], Kind::Disk, row.mx, row.my, 750.0 / 15, kYellow, row.name);
  }
}

TEST(OrbitView, WithoutOrbitsAndInAWideWindow) {
  Showing s;
  s.set(Field::Phase, 0);
  const ViewPicture pic = drawOrbits(s.form, s.c, 4000, 2000, false);
  // Sized by the height, centred across: no circles.
  ASSERT_EQ(pic.ops.size(), 4u);
  expectRound(pic.ops[1], Kind::Disk, 2000, 1000, 750.0 / 8, kRed, "Sun");
  expectRound(pic.ops[2], Kind::Disk, 2000, 1750, 750.0 / 12, kBlue, "Earth");
  EXPECT_EQ(pic.title, "Moon Phase 2001/3/9 21:5:0");
}

TEST(SkyView, BodiesLandAtTheirAzimuthAndAltitude) {
  Showing s;
  s.set(Field::Azimuth, 30).set(Field::Altitude, 10);  // east of the left edge
  SkyTrail trail;
  const double w = 4800, h = 2400;
  ViewPicture pic = skyPicture(s.form, s.c, 180, 45, w, h, {}, trail);
  // Cleared, six grid lines, the Sun, the Moon.
  ASSERT_EQ(pic.ops.size(), 9u);
  EXPECT_EQ(pic.ops[0], DrawOp::clear(kSkyBackground));
  EXPECT_EQ(pic.ops[2], DrawOp::line(0, 0.5 * h, w, 0.5 * h, kGrey));
  EXPECT_EQ(pic.ops[5], DrawOp::line(0.5 * w, 0, 0.5 * w, h, kGrey));
  // Due south at 45 degrees: on the crossing of the middle lines.
  expectRound(pic.ops[7], Kind::Disk, 0.5 * w, 0.5 * h, 24, kRed, "Sun");
  EXPECT_LT(pic.ops[8].x + pic.ops[8].rx, 0);  // the Moon lies outside
  EXPECT_EQ(pic.ops[8].color, kYellow);
  EXPECT_EQ(pic.sunAzimuth, 180);
  EXPECT_EQ(pic.sunAltitude, 45);
  EXPECT_EQ(pic.title, "Sky View 2001/3/9 21:5:0");

  s.set(Field::Azimuth, 330);
  pic = skyPicture(s.form, s.c, 180, 45, w, h, {}, trail);
  EXPECT_GT(pic.ops[8].x - pic.ops[8].rx, w);
  // bigsky doubles the dots; the shorter side (here the height) sizes them.
  pic = skyPicture(s.form, s.c, 180, 45, w, h, {false, true}, trail);
  EXPECT_EQ(pic.ops[7].rx, 48);
  pic = skyPicture(s.form, s.c, 180, 45, 1000, 3000, {false, true}, trail);
  EXPECT_EQ(pic.ops[7].rx, 20);
}

TEST(SkyView, TrailMarksThePreviousDotsUnderTheGrid) {
  Showing s;
  s.set(Field::Azimuth, 150).set(Field::Altitude, 30);
  SkyTrail trail;
  const double w = 4800, h = 2400, d = 24;
  skyPicture(s.form, s.c, 120, 60, w, h, {}, trail);
  EXPECT_EQ(trail.skySunX, 1200);
  EXPECT_EQ(trail.skySunY, 800);
  EXPECT_EQ(trail.skyMoonX, 1800);
  EXPECT_EQ(trail.skyMoonY, 1600);

  s.set(Field::Azimuth, 160);
  const ViewPicture pic = skyPicture(s.form, s.c, 121, 59, w, h, {true, false}, trail);
  // Nothing is cleared: the Moon's mark, olive with a black rim, then the
  // Sun's, purple with a black rim, then the grid over them and the dots.
  ASSERT_EQ(pic.ops.size(), 12u);
  EXPECT_EQ(pic.ops[0], DrawOp::disk(1800, 1600, d, kOlive));
  EXPECT_EQ(pic.ops[1], DrawOp::circle(1800, 1600, d, kBlack));
  EXPECT_EQ(pic.ops[2], DrawOp::disk(1200, 800, d, kPurple));
  EXPECT_EQ(pic.ops[3], DrawOp::circle(1200, 800, d, kBlack));
  for (int i = 4; i < 10; ++i) EXPECT_EQ(pic.ops[i].kind, Kind::Line);
  EXPECT_EQ(pic.ops[10].color, kRed);
  EXPECT_EQ(pic.ops[11].color, kYellow);
  EXPECT_EQ(trail.skyMoonX, 2000);
}

TEST(ShadowView, MoonAgainstTheUmbra) {
  // 3500 x 2500: the shorter side m = 2500.
  const double w = 3500, h = 2500, m = 2500;
  Showing s;
  s.set(Field::Phase, 180).set(Field::MoonLatitude, 0).set(Field::MoonDistance, 384401);
  ViewPicture pic = drawEarthShadow(s.form, s.c, w, h, false);
  const double rm = m / 30;
  ASSERT_EQ(pic.ops.size(), 6u);
  EXPECT_EQ(pic.ops[0], DrawOp::clear(kSkyBackground));
  expectRound(pic.ops[1], Kind::Disk, w / 2, h / 2, 4.5 * rm, kOlive, "penumbra");
  // Full moon: centred, then covered by the umbra, its outline on top.
  expectRound(pic.ops[2], Kind::Disk, w / 2, h / 2, 0.9 * rm, kYellow, "Moon");
  expectRound(pic.ops[3], Kind::Disk, w / 2, h / 2, 2.55 * rm, kDarkRed, "umbra");
  expectRound(pic.ops[4], Kind::Circle, w / 2, h / 2, 0.9 * rm, kYellow, "Moon's outline");
  expectRound(pic.ops[5], Kind::Circle, w / 2, h / 2, 4.5 * rm, kOlive, "penumbra's outline");
  EXPECT_EQ(pic.title, "Eclipse View 2001/3/9 21:5:0");

  // Five degrees before opposition, half a degree north, nearer than the mean.
  s.set(Field::Phase, 175).set(Field::MoonLatitude, 0.5).set(Field::MoonDistance, 360000);
  pic = drawEarthShadow(s.form, s.c, w, h, false);
  const double near = (2 - 360000.0 / 384401) * m / 30;
  expectRound(pic.ops[2], Kind::Disk, w / 2 + 5 * m / 8.1, h / 2 - 0.5 * m / 8.1, 0.9 * near,
              kYellow, "p 175");
  // Enlarged: three times the scale, the same angular sizes.
  pic = drawEarthShadow(s.form, s.c, w, h, true);
  expectRound(pic.ops[2], Kind::Disk, w / 2 + 5 * m / 2.7, h / 2 - 0.5 * m / 2.7,
              0.9 * (2 - 360000.0 / 384401) * m / 10, kYellow, "p 175 enlarged");
}

TEST(SunView, MoonAgainstTheSun) {
  const double w = 2500, h = 2500, m = 2500;
  Showing s;
  s.set(Field::Phase, 360).set(Field::MoonLatitude, 0);
  ViewPicture pic = drawSunCentred(s.form, s.c, w, h, false);
  const double rs = m / 33.33333333333;
  // New moon: the olive Moon exactly over the Sun, the Sun's outline on top.
  ASSERT_EQ(pic.ops.size(), 4u);
  EXPECT_EQ(pic.ops[0], DrawOp::clear(kSkyBackground));
  expectRound(pic.ops[1], Kind::Disk, w / 2, h / 2, rs, kRed, "Sun");
  expectRound(pic.ops[2], Kind::Disk, w / 2, h / 2, rs, kOlive, "Moon");
  expectRound(pic.ops[3], Kind::Circle, w / 2, h / 2, rs, kRed, "Sun's outline");
  EXPECT_EQ(pic.title, "Eclipse View 2001/3/9 21:5:0");

  // Five degrees before conjunction: on the right edge of a square window.
  s.set(Field::Phase, 355);
  pic = drawSunCentred(s.form, s.c, w, h, false);
  expectRound(pic.ops[2], Kind::Disk, w, h / 2, rs, kOlive, "p 355");
  // Five degrees after: left of the Sun; enlarged, 20 / 3 times as far.
  s.set(Field::Phase, 5).set(Field::MoonLatitude, -0.1);
  pic = drawSunCentred(s.form, s.c, w, h, true);
  expectRound(pic.ops[2], Kind::Disk, w / 2 - 5 * m / 1.5, h / 2 + 0.1 * m / 1.5, m / 5, kOlive,
              "p 5 enlarged");
}

}  // namespace
}  // namespace velmar
