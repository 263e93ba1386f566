#pragma once
// The graph's curves as a picture file shows them: a long run draws many
// steps into one pixel column, and a file that kept every one of them
// (a 100 000-step run made a 64 MB SVG that took half a minute to show)
// would draw nothing more than one that keeps, in each column, the points
// that set what the curve covers there.
#include <vector>

#include "views/canvas.h"

namespace velmar {

// `ops` with each curve (lines of one colour and width, each starting where
// the one before ended) thinned at `pxPerTwipX` pixels per twip across: of
// the points falling into one pixel column, the first, the lowest, the
// highest and the last are kept, in their order, joined by lines. The
// pixels the curve covers stay the same; steps a pixel or more apart are
// all kept. Curves come out after the other operations, each whole, in the
// order they began; the other operations keep their order.
std::vector<DrawOp> thinToPixels(const std::vector<DrawOp>& ops, double pxPerTwipX);

}  // namespace velmar
