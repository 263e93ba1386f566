#include "config/window_fit.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

// A 1280 x 1024 screen with a 1 px border and a 17 px title bar, as the
// windows were restored on when they ended below and right of it.
constexpr AreaRect kScreen{0, 0, 1280, 1024};
constexpr FrameMargins kFrame{1, 17, 1, 1};

int frameRight(const WindowBox& b) { return b.x + kFrame.left + b.width + kFrame.right; }
int frameBottom(const WindowBox& b) { return b.y + kFrame.top + b.height + kFrame.bottom; }

TEST(WindowFit, RestoredWindowsSitTooLowOrPastTheRightEdge) {
  // Moon Phase put back with its inside's bottom on the screen's bottom
  // ended 18 px below it, the orbit check box off-screen.
  const WindowBox low = fitOnScreen({300, 1024 - 400, 400, 400}, 100, 100, kFrame, kScreen);
  EXPECT_EQ(frameBottom(low), 1024);
  EXPECT_EQ(low.y, 1024 - 418);
  EXPECT_EQ(low.height, 400);
  // MoonFace, 2 px past the right edge.
  const WindowBox right = fitOnScreen({1280 - 300, 10, 300, 300}, 100, 100, kFrame, kScreen);
  EXPECT_EQ(frameRight(right), 1280);
  EXPECT_EQ(right.width, 300);
  // Wholly inside already: left where it is.
  const WindowBox inside = fitOnScreen({20, 30, 300, 200}, 100, 100, kFrame, kScreen);
  EXPECT_EQ(inside.x, 20);
  EXPECT_EQ(inside.y, 30);
  // Above and left of the area, on an area that does not start at 0.
  const WindowBox offset =
      fitOnScreen({-500, -40, 300, 200}, 100, 100, kFrame, AreaRect{0, 28, 1024, 572});
  EXPECT_EQ(offset.x, 0);
  EXPECT_EQ(offset.y, 28);
}

TEST(WindowFit, TimePadShrinksBelowItsMinimum) {
  // Kept at 126 x 157, a window usable from 200 x 250 opens at that.
  const WindowBox raised = fitOnScreen({100, 100, 126, 157}, 200, 250, kFrame, kScreen);
  EXPECT_EQ(raised.width, 200);
  EXPECT_EQ(raised.height, 250);
  // Kept larger than the screen: as large as the area holds with the frame.
  const WindowBox big = fitOnScreen({0, 0, 3000, 2000}, 200, 250, kFrame, kScreen);
  EXPECT_EQ(frameRight(big), 1280);
  EXPECT_EQ(frameBottom(big), 1024);
  EXPECT_EQ(big.x, 0);
  EXPECT_EQ(big.y, 0);
  // A minimum the screen cannot hold keeps the title bar on it.
  const WindowBox tiny =
      fitOnScreen({500, 500, 100, 100}, 800, 700, kFrame, AreaRect{0, 0, 640, 480});
  EXPECT_EQ(tiny.width, 800);
  EXPECT_EQ(tiny.x, 0);
  EXPECT_EQ(tiny.y, 0);
}

}  // namespace
}  // namespace velmar
