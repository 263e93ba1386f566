#include "views/view_picture.h"

namespace velmar {

void ViewPicture::start(const char* label, const FormModel& form) {
  ops.clear();
  sunAzimuth = sunAltitude = 0;
  title.assign(label);
  title += ' ';
  title += instantTitle(form);
}

Rgb backgroundOf(View v) {
  switch (v) {
    case View::Face:
      return kFaceBackground;
    case View::Orbit:
      return kOrbitBackground;
    case View::Sky:
    case View::Shadow:
    case View::Sun:
      break;
  }
  return kSkyBackground;
}

const char* designerTitle(View v) {
  switch (v) {
    case View::Face:
      return "MoonFace";
    case View::Orbit:
      return "Moon Phase";
    case View::Sky:
      return "Sky View";
    case View::Shadow:
      return "Eclipse View";
    case View::Sun:
      break;
  }
  return "Eclips View";
}

}  // namespace velmar
