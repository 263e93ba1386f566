#include "views/view_picture.h"

namespace velmar {

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
