#pragma once
// The state of the five views that outlives their windows: which are open,
// where the sky view's trail stands, the views' own switches; and the one
// place that turns the calculation's result into each view's drawing.
//
// A window (or a picture written to a file) attaches itself as the view's
// surface; while the view is open, every full calculation runs the
// surface's drawing, in the order of the views.
#include <array>
#include <cstdint>
#include <functional>

#include "engine/calculator.h"
#include "engine/form.h"
#include "views/sky_view.h"
#include "views/view_picture.h"

namespace velmar {

// One open flag per view window: 1 from its opening command until the
// window is unloaded.
struct ViewFlags {
  int16_t faceOpen = 0;
  int16_t orbitOpen = 0;
  int16_t skyOpen = 0;
  int16_t shadowOpen = 0;
  int16_t sunOpen = 0;

  int16_t& operator[](View v);
  int16_t operator[](View v) const;
};

// What a view draws on.
struct ViewSurface {
  std::function<void()> draw;   // the view's drawing, now
  std::function<void()> clear;  // to the view's background
};

class Views {
 public:
  Views(FormModel& form, Calculator& calc);
  Views(const Views&) = delete;
  Views& operator=(const Views&) = delete;
  ~Views();

  // How an open view joins the drawing at the end of every calculation,
  // and leaves it; set by whoever assembles the main form (the order of
  // the views is the rank).
  std::function<int(std::function<void()>, View)> subscribe;
  std::function<void(int)> unsubscribe;
  // Makes the view's window without showing it, so that a command can
  // clear or draw it before it is ever opened.
  std::function<void(View)> load;

  const ViewFlags& flags() const { return flags_; }
  bool isOpen(View v) const { return flags_[v] == 1; }

  // The surface of the view, or an empty one when it is gone.
  void attach(View v, ViewSurface surface);
  // The opening command: the flag goes to 1 (the caller shows the window).
  void open(View v);
  // The window was unloaded: the flag goes back to 0 and its controls to
  // how a new window has them. The sky trail stays.
  void closed(View v);
  // Runs the surface's drawing, when there is one.
  void redraw(View v);

  // The view's drawing for a drawable area of w x h twips from what the
  // result fields show (Calculator::result()). The sky view's moves its trail.
  void picture(View v, double w, double h, ViewPicture& out);
  ViewPicture picture(View v, double w, double h) {
    ViewPicture pic;
    picture(v, w, h, pic);
    return pic;
  }

  // The orbit window's "軌道" (ticked in a new window) and the sky
  // window's "軌跡" (not ticked).
  bool orbits() const { return orbits_; }
  bool trail() const { return trail_; }
  // As states, without their click actions.
  void setOrbits(bool on) { orbits_ = on; }
  void setTrail(bool on) { trail_ = on; }
  // Their clicks: the box toggles and the view is drawn at once.
  void orbitsClicked();
  void trailClicked();

  // The enlarged scales. bigsky: the tick toggles, the sky view is cleared
  // and calc runs (which draws it when open). bigview and the shadow
  // window's own "拡大" (the same state), bigsun and the Sun window's
  // "拡大": the tick toggles and the view is drawn.
  void bigskyClicked();
  void bigviewClicked();
  void bigsunClicked();

  const SkyTrail& skyTrail() const { return trail_at_; }

 private:
  struct Slot {
    ViewSurface surface;
    int subscription = 0;
  };
  Slot& slot(View v) { return slots_[static_cast<size_t>(v)]; }
  // Joins or leaves the calculation's drawing as the flag and the surface
  // say.
  void resubscribe(View v);

  FormModel& form_;
  Calculator& calc_;
  ViewFlags flags_;
  std::array<Slot, kViewCount> slots_;
  bool orbits_ = true;
  bool trail_ = false;
  SkyTrail trail_at_;
};

}  // namespace velmar
