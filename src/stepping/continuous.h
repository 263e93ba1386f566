#pragma once
// The continuous calculation: on every timer tick the chosen field moves by
// the change amount and calc runs. The settings are the main window's
// option buttons and the change amount and loop count fields.
#include <functional>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/ports.h"

namespace velmar {

class Continuous {
 public:
  Continuous(FormModel& form, Calculator& calc, UiPort& ui, TimerPort& timer)
      : form_(form), calc_(calc), ui_(ui), timer_(timer) {}

  // Recording the date and time at a start, when automem is ticked.
  std::function<void()> recordDate;
  // The time pad follows: a unit option was clicked (its label is marked);
  // the change amount took a value it keeps (the pad's field mirrors it).
  std::function<void()> unitChosen;
  std::function<void()> changeAmountTaken;

  // Derives the loop state from the settings, as at startup. The timer
  // stays as it is.
  void deriveFromSettings();

  void start();  // startLoopButton, loopcalc
  // A start's first step: the date and time are recorded when automem is
  // ticked.
  void recordIfAsked();
  // The rest of a start: target, step and interval from the options, then
  // the timer runs. Choosing an export file starts this way, unrecorded.
  void startFromOptions();
  // The output windows' start buttons: the timer runs with the target, step
  // and interval already held.
  void resume();
  void stop();            // stopLoopButton, stopcalc
  void startOrReverse();  // the views' and the time pad's start button
  void stepUp();          // stepUpButton: the target field + change amount, calc
  void stepDown();        // stepDownButton
  void tick();

  bool running() const { return timer_.interval() > 0; }

  // Rules of the settings controls; true when the field or option was one
  // of this component's.
  bool fieldChanged(Field f);
  bool optionClicked(Option o);

  // The outputs' common end: after each row an output takes, the loop ends
  // when none of the three (data table, graph, export file) is left on.
  void stopUnlessRecording();

  int loopTarget() const { return loopTarget_; }
  double changeAmount() const { return changeAmount_; }
  double loopStep() const { return loopStep_; }
  int loopInterval() const { return loopInterval_; }

 private:
  void stepTarget(double delta);
  void targetFromOptions();
  void intervalFromSpeed();

  FormModel& form_;
  Calculator& calc_;
  UiPort& ui_;
  TimerPort& timer_;
  int loopTarget_ = 3;
  double changeAmount_ = 0;
  double loopStep_ = 0;
  int loopInterval_ = 100;
};

}  // namespace velmar
