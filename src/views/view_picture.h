#pragma once
// What every view's drawing gives: its operations in paint order and the
// title of its window; and the five views by name.
#include <string>
#include <vector>

#include "engine/form.h"
#include "views/canvas.h"

namespace velmar {

// The views that follow the calculation, in the order calc redraws them
// after the main phase picture.
enum class View { Face, Orbit, Sky, Shadow, Sun };
inline constexpr View kViews[] = {View::Face, View::Orbit, View::Sky, View::Shadow, View::Sun};
inline constexpr int kViewCount = 5;

// A drawing is made into a kept picture: after the first calculation its
// buffers are reused and nothing is allocated.
struct ViewPicture {
  std::vector<DrawOp> ops;
  std::string title;
  // The sky view's Sun, for its boxes (skyView.azimuthField azimuth, skyView.altitudeField
  // altitude, shown as plain decimal text); 0 for the other views.
  double sunAzimuth = 0;
  double sunAltitude = 0;

  // Empties the picture and starts its title with the view's label: "Sky
  // View " and the date and time fields as typed.
  void start(const char* label, const FormModel& form);
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
