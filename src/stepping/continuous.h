#pragma once
// The continuous calculation: on every timer tick the chosen field moves by
// the change amount and calc runs. The settings are the main window's
// option buttons and the change amount and loop count fields.
#include <functional>

#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/ports.h"

namespace velmar {

// The three outputs that take a row per calculation and switch themselves
// off at the loop count, in the order a calculation feeds them.
enum class Output { Table, Graph, File };
inline constexpr Output kOutputs[] = {Output::Table, Output::Graph, Output::File};
// The check box that switches each on.
Check switchOf(Output o);

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

  void start();           // Command19, loopcalc
  void stop();            // Command18, stopcalc
  void startOrReverse();  // the views' and the time pad's start button
  void stepUp();          // Command22: the target field + change amount, calc
  void stepDown();        // Command21
  void tick();

  bool running() const { return timer_.interval() > 0; }

  // Rules of the settings controls; true when the field or option was one
  // of this component's.
  bool fieldChanged(Field f);
  bool optionClicked(Option o);

  // Counts a row taken by an output; at the loop count the output clears
  // its own box, and when no output is left on, the loop ends.
  void rowTaken(Output out);
  int rows(Output out) const { return rows_[static_cast<int>(out)]; }
  void resetRows(Output out) { rows_[static_cast<int>(out)] = 0; }

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
  int rows_[3] = {0, 0, 0};
};

}  // namespace velmar
