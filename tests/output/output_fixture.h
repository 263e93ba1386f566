#pragma once
// A headless main form at the worked example's instant and site, with a
// timer the tests fire, for the output tests.
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "config/moon_inf.h"
#include "engine/instant.h"

namespace velmar::testing_output {

class OutputTest : public ::testing::Test {
 protected:
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main{ui, clock, timer};
  FormModel& form = main.form();
  Outputs& outputs = main.outputs();

  void SetUp() override {
    // A first start: loop count 10, change amount 1, by the day into the
    // future, all four series on.
    applyInf(defaultInfValues(), form, main.placements());
    testing_instant::enterInstant(form, "2001", "3", "9", "21", "5", "0");
    form.setText(Field::DeltaT, "66");
    main.calculator().setSite(35.6544, 139.7447);
    main.calculator().calc();
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
