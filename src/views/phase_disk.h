#pragma once
// The lit shape of the Moon for a phase angle and an illuminated fraction,
// as seen from the northern hemisphere: lit on the right while waxing.
#include <vector>

#include "astro/calculation.h"
#include "views/canvas.h"

namespace velmar {

// The night sky around the main window's Moon.
inline constexpr Rgb kPhaseBackground{0, 0, 64};

// The shapes, in paint order, for a disk of radius r at (cx, cy); p is the
// phase angle in degrees (0 < p <= 360), k the illuminated fraction. An
// ellipse whose half-axis comes out zero or negative is left out: it would
// draw nothing but a stray line.
std::vector<DrawOp> phaseDisk(double cx, double cy, double r, double p, double k);
// The same shapes appended to `out`.
void phaseDisk(std::vector<DrawOp>& out, double cx, double cy, double r, double p, double k);

// The main window's phase picture for a drawable area of w x h twips, from
// the phase angle and fraction as their fields show them.
std::vector<DrawOp> drawPhase(const astro::Reduced& r, double w, double h);

}  // namespace velmar
