#pragma once
// What every view's drawing gives: its operations in paint order and the
// title of its window; and the five views by name.
#include <string>
#include <vector>

#include "views/canvas.h"

namespace velmar {

// The views that follow the calculation, in the order calc redraws them
// after the main phase picture.
enum class View { Face, Orbit, Sky, Shadow, Sun };
inline constexpr View kViews[] = {View::Face, View::Orbit, View::Sky, View::Shadow, View::Sun};
inline constexpr int kViewCount = 5;

struct ViewPicture {
  std::vector<DrawOp> ops;
  std::string title;
  // The sky view's Sun boxes (Text1 azimuth, Text2 altitude); empty for
  // the other views.
  std::string sunAzimuth;
  std::string sunAltitude;
};

// What each window shows before anything is drawn on it, and what it is
// cleared to.
inline constexpr Rgb kFaceBackground{0, 0, 64};  // as the main window's picture
inline constexpr Rgb kOrbitBackground{0, 0, 0};
inline constexpr Rgb kSkyBackground{0, 0, 192};  // also the eclipse views'
Rgb backgroundOf(View v);

// The title a window has before its first drawing.
const char* designerTitle(View v);

}  // namespace velmar
