#include "views/phase_disk.h"

#include <cmath>

namespace velmar {

namespace {

// The sector limits the picture has always used: half and one and a half
// times 3.14159.
constexpr double kQuarter = 1.570795;
constexpr double kThreeQuarters = 4.712385;

DrawOp leftHalf(double cx, double cy, double r, Rgb c) {
  return DrawOp::sector(cx, cy, r, kQuarter, kThreeQuarters, c);
}

DrawOp rightHalf(double cx, double cy, double r, Rgb c) {
  return DrawOp::sector(cx, cy, r, kThreeQuarters, kQuarter, c);
}

void ellipse(std::vector<DrawOp>& out, double cx, double cy, double r, double halfWidth, Rgb c) {
  if (halfWidth > 0) out.push_back(DrawOp::ellipse(cx, cy, halfWidth, r, c));
}

}  // namespace

std::vector<DrawOp> phaseDisk(double cx, double cy, double r, double p, double k) {
  std::vector<DrawOp> s;
  phaseDisk(s, cx, cy, r, p, k);
  return s;
}

void phaseDisk(std::vector<DrawOp>& s, double cx, double cy, double r, double p, double k) {
  using namespace palette;
  s.push_back(DrawOp::disk(cx, cy, r, kYellow));
  if (p <= 90) {
    ellipse(s, cx, cy, r, r * (1 - 2 * k), kBlack);
    s.push_back(leftHalf(cx, cy, r, kBlack));
  } else if (p <= 180) {
    s.push_back(leftHalf(cx, cy, r, kBlack));
    ellipse(s, cx, cy, r, r * (2 * k - 1), kYellow);
  } else if (p <= 270) {
    s.push_back(rightHalf(cx, cy, r, kBlack));
    ellipse(s, cx, cy, r, r * (2 * k - 1), kYellow);
  } else {
    ellipse(s, cx, cy, r, r * (1 - 2 * k), kBlack);
    s.push_back(rightHalf(cx, cy, r, kBlack));
  }
}

std::vector<DrawOp> drawPhase(const astro::Reduced& c, double w, double h) {
  const double r = std::nearbyint(0.95 * h / 2);
  return phaseDisk(w / 2, h / 2, r, c.phase.shown, c.illumination.shown);
}

}  // namespace velmar
