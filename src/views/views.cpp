#include "views/views.h"

#include "views/eclipse_views.h"
#include "views/face_view.h"
#include "views/orbit_view.h"

namespace velmar {

int16_t& ViewFlags::operator[](View v) {
  switch (v) {
    case View::Face:
      return faceOpen;
    case View::Orbit:
      return orbitOpen;
    case View::Sky:
      return skyOpen;
    case View::Shadow:
      return shadowOpen;
    case View::Sun:
      break;
  }
  return sunOpen;
}

int16_t ViewFlags::operator[](View v) const { return (*const_cast<ViewFlags*>(this))[v]; }

Views::Views(FormModel& form, Calculator& calc) : form_(form), calc_(calc) {}

Views::~Views() {
  for (View v : kViews) {
    Slot& s = slot(v);
    if (s.subscription && unsubscribe) unsubscribe(s.subscription);
    s.subscription = 0;
  }
}

void Views::attach(View v, ViewSurface surface) {
  slot(v).surface = std::move(surface);
  resubscribe(v);
}

void Views::open(View v) {
  flags_[v] = 1;
  resubscribe(v);
}

void Views::closed(View v) {
  flags_[v] = 0;
  if (v == View::Orbit) orbits_ = true;
  if (v == View::Sky) trail_ = false;
  resubscribe(v);
}

void Views::resubscribe(View v) {
  Slot& s = slot(v);
  const bool wanted = isOpen(v) && s.surface.draw;
  if (wanted && !s.subscription && subscribe) {
    s.subscription = subscribe([this, v] { redraw(v); }, v);
  } else if (!wanted && s.subscription) {
    if (unsubscribe) unsubscribe(s.subscription);
    s.subscription = 0;
  }
}

void Views::redraw(View v) {
  const Slot& s = slot(v);
  if (s.surface.draw) s.surface.draw();
}

void Views::picture(View v, double w, double h, ViewPicture& out) {
  const astro::Calculation& c = calc_.result();
  switch (v) {
    case View::Face:
      return drawMoonFace(form_, c, w, h, out);
    case View::Orbit:
      return drawOrbits(form_, c, w, h, orbits_, out);
    case View::Sky:
      return drawSky(form_, c, w, h, {trail_, form_.tick(Tick::bigsky)}, trail_at_, out);
    case View::Shadow:
      return drawEarthShadow(form_, c, w, h, form_.tick(Tick::bigview), out);
    case View::Sun:
      break;
  }
  drawSunCentred(form_, c, w, h, form_.tick(Tick::bigsun), out);
}

void Views::orbitsClicked() {
  orbits_ = !orbits_;
  redraw(View::Orbit);
}

void Views::trailClicked() {
  trail_ = !trail_;
  redraw(View::Sky);
}

void Views::bigskyClicked() {
  form_.setTick(Tick::bigsky, !form_.tick(Tick::bigsky));
  if (!slot(View::Sky).surface.clear && load) load(View::Sky);
  if (const auto& clear = slot(View::Sky).surface.clear) clear();
  calc_.calc();
}

void Views::bigviewClicked() {
  form_.setTick(Tick::bigview, !form_.tick(Tick::bigview));
  redraw(View::Shadow);
}

void Views::bigsunClicked() {
  form_.setTick(Tick::bigsun, !form_.tick(Tick::bigsun));
  redraw(View::Sun);
}

}  // namespace velmar
