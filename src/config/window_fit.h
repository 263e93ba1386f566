#pragma once
// Where a window restored from a kept place may go: wholly inside the
// screen's available area, frame and title bar included, and no smaller
// than the window can be used at. Any unit, as long as all agree (the
// window layer gives pixels).
namespace velmar {

// What the window system adds around a window's inside.
struct FrameMargins {
  int left = 0;
  int top = 0;  // the title bar and the top border
  int right = 0;
  int bottom = 0;
};

// A window as it is kept: the frame's top-left corner and the inside's size.
struct WindowBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct AreaRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The inside grows to `minWidth` x `minHeight` when kept smaller, and
// shrinks to what the area holds beside the frame when kept larger (but
// never below the minimum, which wins on a screen too small for it); then
// the frame moves as little as it takes to lie inside `area`. On a screen
// too small for the frame, its top-left corner (the title bar) stays on it.
WindowBox fitOnScreen(WindowBox box, int minWidth, int minHeight, const FrameMargins& frame,
                      const AreaRect& area);

}  // namespace velmar
