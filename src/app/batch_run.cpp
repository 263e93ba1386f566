#include "app/batch_run.h"

#include <cmath>

namespace velmar {

namespace {

// A loop count answered "yes" far above 365 still ends; this only keeps the
// count of steps a whole number.
constexpr double kMostSteps = 1e15;

}  // namespace

bool BatchRun::start() {
  if (active_) return false;
  if (!loop_.running()) loop_.start();
  if (!loop_.running()) return false;
  const std::optional<long long> rows = outputs_.rowsToEnd();
  if (rows) {
    planned_ = *rows;
  } else {
    const double n = std::ceil(form_.value(Field::LoopCount)) - 1;
    planned_ = n >= 1 ? static_cast<long long>(std::fmin(n, kMostSteps)) : 1;
  }
  active_ = true;
  cancelled_ = false;
  done_ = 0;
  // The window hears of the steps only between slices.
  form_.holdChanges(true);
  calc_.holdViews(true);
  events_(BatchEvent::Started);
  postSlice();
  return true;
}

void BatchRun::cancel() {
  if (active_) cancelled_ = true;
}

void BatchRun::slice() {
  if (!active_) return;
  const auto until = std::chrono::steady_clock::now() + sliceTime;
  // The clock is read every few steps: a step takes some microseconds.
  int sinceLook = 0;
  while (!cancelled_ && done_ < planned_ && loop_.running()) {
    loop_.tick();
    ++done_;
    if (++sinceLook == 16) {
      sinceLook = 0;
      if (std::chrono::steady_clock::now() >= until) break;
    }
  }
  if (cancelled_ || done_ >= planned_ || !loop_.running()) {
    finish();
    return;
  }
  form_.flushChanges();
  calc_.flushViews();
  events_(BatchEvent::Progress);
  postSlice();
}

void BatchRun::postSlice() {
  std::weak_ptr<bool> alive = alive_;
  timer_.post([alive, this] {
    if (alive.lock()) slice();
  });
}

void BatchRun::finish() {
  // Cancelled, or the planned steps done without an output to end the
  // loop: stopped as STOP stops it.
  if (loop_.running()) loop_.stop();
  active_ = false;
  form_.holdChanges(false);
  calc_.holdViews(false);
  events_(BatchEvent::Finished);
}

}  // namespace velmar
