#include "config/window_fit.h"

#include <algorithm>

namespace velmar {

namespace {

// One axis: the inside's extent and the frame's start.
void fitAxis(int& start, int& extent, int minimum, int before, int after, int areaStart,
             int areaExtent) {
  const int room = areaExtent - before - after;
  extent = std::max(std::min(extent, room), std::max(minimum, 1));
  const int outer = before + extent + after;
  const int last = std::max(areaStart, areaStart + areaExtent - outer);
  start = std::clamp(start, areaStart, last);
}

}  // namespace

WindowBox fitOnScreen(WindowBox box, int minWidth, int minHeight, const FrameMargins& frame,
                      const AreaRect& area) {
  fitAxis(box.x, box.width, minWidth, frame.left, frame.right, area.x, area.width);
  fitAxis(box.y, box.height, minHeight, frame.top, frame.bottom, area.y, area.height);
  return box;
}

}  // namespace velmar
