// A picture that is never cleared keeps each operation once, at its last
// place: what the sky view's trail saves as SVG.
#include "views/kept_drawing.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

using namespace palette;

TEST(KeptDrawing, RedrawnOperationsMoveToTheirLastPlace) {
  KeptDrawing k;
  const DrawOp grid = DrawOp::line(0, 50, 100, 50, kGrey);
  const DrawOp cleared = DrawOp::clear({0, 0, 192});
  k.draw(DrawOp::disk(1, 1, 5, kRed));  // gone with the clearing
  k.draw(cleared);
  for (int step = 0; step < 200; ++step) {
    k.draw(DrawOp::disk(step, 10, 2, kPurple));  // a trail mark: a new place each time
    k.draw(grid);
  }
  const std::vector<DrawOp> ops = k.ops();
  // The clearing, 200 marks and the grid once, over the last mark.
  ASSERT_EQ(ops.size(), 202u);
  EXPECT_EQ(k.size(), 202u);
  EXPECT_EQ(ops.front(), cleared);
  EXPECT_EQ(ops[1], DrawOp::disk(0, 10, 2, kPurple));
  EXPECT_EQ(ops[200], DrawOp::disk(199, 10, 2, kPurple));
  EXPECT_EQ(ops.back(), grid);

  // The same mark drawn again goes on top.
  k.draw(DrawOp::disk(5, 10, 2, kPurple));
  EXPECT_EQ(k.ops().back(), DrawOp::disk(5, 10, 2, kPurple));
  EXPECT_EQ(k.ops().size(), 202u);
  k.draw(cleared);
  EXPECT_EQ(k.ops(), std::vector<DrawOp>{cleared});
}

}  // namespace
}  // namespace velmar
