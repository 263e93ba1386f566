#include "views/phase_disk.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"
#include "engine/numtext.h"

namespace velmar {
namespace {

using palette::kBlack;
using palette::kYellow;

// A point's colour after painting the shapes in order: the last shape that
// covers it wins; outside every shape it is "none".
enum class Px { None, Yellow, Black };

bool covers(const DrawOp& s, double x, double y) {
  const double dx = x - s.x, dy = y - s.y;
  if (s.kind == DrawOp::Kind::Ellipse || s.kind == DrawOp::Kind::Disk)
    return (dx * dx) / (s.rx * s.rx) + (dy * dy) / (s.ry * s.ry) <= 1;
  if (dx * dx + dy * dy > s.rx * s.rx) return false;
  double a = std::atan2(-dy, dx);  // y grows downward
  if (a < 0) a += 2 * M_PI;
  if (s.a0 < s.a1) return a >= s.a0 && a <= s.a1;
  return a >= s.a0 || a <= s.a1;
}

Px colourAt(const std::vector<DrawOp>& shapes, double x, double y) {
  Px c = Px::None;
  for (const DrawOp& s : shapes)
    if (covers(s, x, y)) c = s.color == kYellow ? Px::Yellow : Px::Black;
  return c;
}

struct Row {
  const char* name;
  double p;
  double k;
  Px left, centreLeft, centreRight, right;  // along the horizontal diameter
};

TEST(PhaseDisk, LitSideFollowsThePhase) {
  const double r = 100;
  const double k45 = (1 - dcos(45)) / 2;
  const double k315 = (1 - dcos(315)) / 2;
  const Row rows[] = {
      {"conjunction 360", 360, 0, Px::Black, Px::Black, Px::Black, Px::Black},
      {"empty fields 0", 0, 0, Px::Black, Px::Black, Px::Black, Px::Black},
      {"first quarter", 90, 0.5, Px::Black, Px::Black, Px::Yellow, Px::Yellow},
      {"full", 180, 1, Px::Yellow, Px::Yellow, Px::Yellow, Px::Yellow},
      {"last quarter", 270, 0.5, Px::Yellow, Px::Yellow, Px::Black, Px::Black},
      {"waxing crescent", 45, k45, Px::Black, Px::Black, Px::Black, Px::Yellow},
      {"waning crescent", 315, k315, Px::Yellow, Px::Black, Px::Black, Px::Black},
      {"waxing gibbous", 135, (1 - dcos(135)) / 2, Px::Black, Px::Yellow, Px::Yellow, Px::Yellow},
      {"waning gibbous", 225, (1 - dcos(225)) / 2, Px::Yellow, Px::Yellow, Px::Yellow, Px::Black},
  };
  for (const Row& row : rows) {
    const auto shapes = phaseDisk(0, 0, r, row.p, row.k);
    EXPECT_EQ(colourAt(shapes, -95, 0), row.left) << row.name;
    EXPECT_EQ(colourAt(shapes, -5, 0), row.centreLeft) << row.name;
    EXPECT_EQ(colourAt(shapes, 5, 0), row.centreRight) << row.name;
    EXPECT_EQ(colourAt(shapes, 95, 0), row.right) << row.name;
    EXPECT_EQ(colourAt(shapes, 0, 101), Px::None) << row.name << ": painted outside the disk";
  }
}

TEST(PhaseDisk, CrescentEdgeCrossesAtRCos45) {
  const double r = 100;
  const auto shapes = phaseDisk(0, 0, r, 45, (1 - dcos(45)) / 2);
  const double edge = r * dcos(45);
  EXPECT_EQ(colourAt(shapes, edge - 0.5, 0), Px::Black);
  EXPECT_EQ(colourAt(shapes, edge + 0.5, 0), Px::Yellow);
}

TEST(PhaseDisk, PaintOrderDependsOnTheQuadrant) {
  // Crescents: the dark ellipse before the half-disk; gibbous: after it.
  const auto crescent = phaseDisk(0, 0, 100, 30, 0.1);
  ASSERT_EQ(crescent.size(), 3u);
  EXPECT_EQ(crescent[1].kind, DrawOp::Kind::Ellipse);
  EXPECT_EQ(crescent[1].color, kBlack);
  EXPECT_EQ(crescent[2].kind, DrawOp::Kind::Sector);
  const auto gibbous = phaseDisk(0, 0, 100, 200, 0.9);
  ASSERT_EQ(gibbous.size(), 3u);
  EXPECT_EQ(gibbous[1].kind, DrawOp::Kind::Sector);
  EXPECT_EQ(gibbous[2].color, kYellow);
  EXPECT_DOUBLE_EQ(gibbous[2].rx, 100 * (2 * 0.9 - 1));
}

TEST(PhaseDisk, ZeroOrNegativeHalfAxisDrawsNoEllipse) {
  // Quadrant boundaries with the fraction exactly at or past 0.5.
  for (double k : {0.5, 0.5000000001, 0.4999999999}) {
    for (double p : {90.0, 180.0, 270.0, 360.0}) {
      for (const DrawOp& s : phaseDisk(0, 0, 100, p, k)) {
        if (s.kind == DrawOp::Kind::Ellipse) {
          EXPECT_GT(s.rx, 0) << "p=" << p << " k=" << k;
        }
      }
    }
  }
}

TEST(PhaseDisk, PictureDrawsTheShownPhase) {
  astro::Reduced shown;
  shown.phase = {90, 90};
  shown.illumination = {0.5, 0.5};
  const auto shapes = drawPhase(shown, 972, 912);
  ASSERT_FALSE(shapes.empty());
  EXPECT_EQ(shapes[0].x, 486);
  EXPECT_EQ(shapes[0].y, 456);
  EXPECT_EQ(shapes[0].rx, 433);  // 0.95 * 456 = 433.2
  // Cleared results show 0: a new moon, all dark.
  const auto dark = drawPhase(astro::Reduced{}, 972, 912);
  EXPECT_EQ(colourAt(dark, 486 + 400, 456), Px::Black);
}

}  // namespace
}  // namespace velmar
