#pragma once
// A main form without windows, with a timer the tests fire, for the tests
// of the core: the one set-up they share.
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "engine/instant.h"

namespace velmar::testing_form {

// The form and its plain ports, for a test that builds one itself.
struct HeadlessForm {
  explicit HeadlessForm(FilePaths paths = {}) : main{ui, clock, timer, std::move(paths)} {}
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main;
  FormModel& form = main.form();
};

// 2001-03-09 12:05:00 UTC, 21:05 in Japan: the worked example's evening.
inline const auto kExampleEvening = std::chrono::system_clock::from_time_t(984139500);

class HeadlessFormTest : public ::testing::Test, public HeadlessForm {
 protected:
  // The instant as a user types it, with the delta T of 2001.
  void at(const char* y, const char* mo, const char* d, const char* h, const char* mi,
          const char* s) {
    testing_instant::enterInstant(form, y, mo, d, h, mi, s);
    form.setText(Field::DeltaT, "66");
  }
  // The same, calculated at the worked example's site (Tokyo).
  void calcAt(const char* y, const char* mo, const char* d, const char* h, const char* mi,
              const char* s) {
    at(y, mo, d, h, mi, s);
    main.calculator().setSite(35.6544, 139.7447);
    main.calculator().calc();
  }
  std::string instant() const { return testing_instant::instantOf(form); }
};

}  // namespace velmar::testing_form
