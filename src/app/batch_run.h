#pragma once
// "一括推算": the continuous calculation's remaining steps at once instead
// of on the timer. Every step is the timer's tick (the target field moved,
// calc with its outputs), so the rows, lines and points are those the timer
// would have made; only the pictures and the window's fields are brought up
// to date now and then rather than at every step. The steps run in slices
// from the event loop, so that the window stays alive and can cancel.
#include <chrono>
#include <functional>
#include <memory>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/ports.h"
#include "engine/signal.h"
#include "output/outputs.h"
#include "stepping/continuous.h"

namespace velmar {

enum class BatchEvent { Started, Progress, Finished };

class BatchRun {
 public:
  BatchRun(FormModel& form, Calculator& calc, Continuous& loop, Outputs& outputs, TimerPort& timer)
      : form_(form), calc_(calc), loop_(loop), outputs_(outputs), timer_(timer) {}
  ~BatchRun() { *alive_ = false; }
  BatchRun(const BatchRun&) = delete;
  BatchRun& operator=(const BatchRun&) = delete;

  // Starts the loop as "連続推算" does when it is not running yet, then
  // plans its remaining steps: until the last output that is on reaches the
  // loop count; with none on (or none that ever will) loop count - 1 steps,
  // as velmar-cli runs them, after which the loop is stopped. The first
  // slice is posted to the event loop. False when a batch is running.
  bool start();
  // Stops after the step now running, like STOP: what was written stays,
  // the outputs stay as they are.
  void cancel();

  bool active() const { return active_; }
  bool cancelled() const { return cancelled_; }
  long long done() const { return done_; }
  long long planned() const { return planned_; }
  // Started, then Progress after each slice (fields and pictures brought
  // up to date), and Finished once with everything shown.
  Signal<BatchEvent>& events() { return events_; }

  // How long a slice runs before the window gets its turn: about thirty
  // refreshes a second.
  std::chrono::milliseconds sliceTime{30};

 private:
  void slice();
  void postSlice();
  void finish();

  FormModel& form_;
  Calculator& calc_;
  Continuous& loop_;
  Outputs& outputs_;
  TimerPort& timer_;
  bool active_ = false;
  bool cancelled_ = false;
  long long done_ = 0;
  long long planned_ = 0;
  Signal<BatchEvent> events_;
  // Posted slices check it: the run may be gone when the event loop gets
  // to them.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace velmar
