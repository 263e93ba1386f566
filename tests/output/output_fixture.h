#pragma once
// A headless main form at the worked example's instant and site, with a
// timer the tests fire, for the output tests.
#include <gtest/gtest.h>

#include "config/moon_inf.h"
#include "engine/headless_form.h"

namespace velmar::testing_output {

class OutputTest : public testing_form::HeadlessFormTest {
 protected:
  Outputs& outputs = main.outputs();

  void SetUp() override {
    // A first start: loop count 10, change amount 1, by the day into the
    // future, all four series on.
    applyInf(defaultInfValues(), form, main.placements());
    calcAt("2001", "3", "9", "21", "5", "0");
  }

  // Fires the timer while it runs, at most `limit` times; the ticks fired.
  int runLoop(int limit = 1000) {
    int ticks = 0;
    while (timer.interval() > 0 && ticks < limit) {
      main.timerFired();
      ++ticks;
    }
    return ticks;
  }
};

}  // namespace velmar::testing_output
