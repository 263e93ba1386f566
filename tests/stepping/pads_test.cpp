// The numeric keypad and the time pad, pressed as a user presses them.
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "engine/headless_form.h"
#include "engine/instant.h"
#include "stepping/keypad.h"
#include "stepping/time_pad.h"

namespace velmar {
namespace {

using namespace testing_instant;

class PadsTest : public testing_form::HeadlessFormTest {
 protected:
  Keypad& keypad = main.keypad();
  TimePad& pad = main.timePad();
  int calcs = 0;

  void SetUp() override {
    clock.set(testing_form::kExampleEvening);
    enterInstant(form, "2005", "3", "9", "12", "0", "0");
    form.setText(Field::DeltaT, "66");
    form.setText(Field::ChangeAmount, "1");
    main.onDraw([this] { ++calcs; }, ViewStage::Phase);
  }
  void press(std::initializer_list<const char*> controls) {
    for (const char* c : controls) ASSERT_TRUE(main.run(c)) << c;
  }
  int pending() { return main.dates().pendingField(); }
};

TEST_F(PadsTest, KeypadEntryCalculatesOnce) {
  ASSERT_TRUE(keypad.openFor(Field::Year));
  EXPECT_EQ(keypad.caption(), "年を入力");
  EXPECT_EQ(keypad.reference(), "2005");
  EXPECT_EQ(pending(), 1);
  // "2", "0", "0", "5", "BS", "6", "OK".
  press({"keypad.digit2Button", "keypad.digit0Button", "keypad.digit0Button", "keypad.digit5Button",
         "keypad.backspaceButton", "keypad.digit6Button"});
  EXPECT_EQ(keypad.entry(), "2006");
  EXPECT_EQ(form.text(Field::Year), "2005");  // nothing written before "OK"
  press({"keypad.okButton"});
  EXPECT_EQ(form.text(Field::Year), "2006");
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 0);
  EXPECT_FALSE(keypad.shown());

  // An empty entry on the hour writes an empty field, which reads back "0".
  keypad.openFor(Field::Hour);
  EXPECT_EQ(keypad.entry(), "");
  press({"keypad.digit7Button", "keypad.clearButton", "keypad.okButton"});  // "7", "AC", "OK"
  EXPECT_EQ(form.text(Field::Hour), "0");
  EXPECT_EQ(calcs, 2);

  // A field without a keypad code does not open it.
  EXPECT_FALSE(keypad.openFor(Field::JulianDay));
  EXPECT_EQ(keypad.caption(), "時を入力");
}

// Fault guarded: the entry went wherever pendingField pointed at "OK", and
// nowhere when a tick or another press had consumed the code meanwhile.
TEST_F(PadsTest, KeypadEntryReachesItsFieldAfterTheCodeWasConsumed) {
  keypad.openFor(Field::Minute);
  press({"timePad.secondUpButton"});  // the time pad's second "▲" takes the code
  EXPECT_EQ(calcs, 1);
  press({"keypad.digit4Button", "keypad.digit5Button", "keypad.okButton"});
  EXPECT_EQ(instantOf(form), "2005-3-9 12:45:1");
  EXPECT_EQ(calcs, 2);
}

TEST_F(PadsTest, KeypadFillsTheChangeAmountEitherWay) {
  keypad.openFor(Field::ChangeAmount);
  EXPECT_EQ(keypad.caption(), "変化分を入力");
  press({"keypad.digit3Button", "keypad.digit0Button", "keypad.okButton"});
  EXPECT_EQ(form.text(Field::ChangeAmount), "30");
  EXPECT_EQ(pad.changeText(), "30");  // the time pad mirrors it

  // From the time pad's change field: an entry of 0 is put right to 1 in
  // both fields.
  keypad.openForTimePad();
  EXPECT_EQ(keypad.reference(), "30");
  EXPECT_EQ(keypad.caption(), "変化分を入力");
  press({"keypad.digit0Button", "keypad.okButton"});
  EXPECT_EQ(form.text(Field::ChangeAmount), "1");
  EXPECT_EQ(pad.changeText(), "1");
  EXPECT_EQ(calcs, 0);
}

TEST_F(PadsTest, OneStepButtonsCarryAndCalculateOnce) {
  enterInstant(form, "2005", "3", "9", "12", "7", "0");
  press({"timePad.secondDownButton"});  // second "▼" at 0 borrows a minute
  EXPECT_EQ(instantOf(form), "2005-3-9 12:6:59");
  EXPECT_EQ(calcs, 1);
  press({"timePad.monthUpButton", "timePad.dayUpButton",
         "timePad.hourDownButton"});  // month +1, day +1, hour -1
  EXPECT_EQ(instantOf(form), "2005-4-10 11:6:59");
  EXPECT_EQ(calcs, 4);
  press({"timePad.restoreButton"});  // "<<": back to the recorded instant, calculated
  EXPECT_EQ(calcs, 5);
}

TEST_F(PadsTest, NowCalculatesOnlyWhenTheSecondChanges) {
  form.setText(Field::Second, "30");
  press({"timePad.nowButton"});
  EXPECT_EQ(instantOf(form), "2001-3-9 21:5:0");
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 0);
  // The same second again: no field changes, nothing is calculated and the
  // code waits for the second's next change.
  press({"timePad.nowButton"});
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 9);
  form.setText(Field::Second, "1");
  EXPECT_EQ(calcs, 2);
}

TEST_F(PadsTest, ChangeAmountButtonsStayInRangeAndMirror) {
  pad.loaded();
  EXPECT_EQ(pad.changeText(), "1");
  press({"timePad.changeDownButton"});  // "▼" at 1 writes 0, put right to 1
  EXPECT_EQ(form.text(Field::ChangeAmount), "1");
  EXPECT_EQ(pad.changeText(), "1");
  press({"timePad.changeUpButton", "timePad.changeUpButton"});
  EXPECT_EQ(form.text(Field::ChangeAmount), "3");
  EXPECT_EQ(pad.changeText(), "3");
  form.setText(Field::ChangeAmount, "5000");
  EXPECT_EQ(pad.changeText(), "3600");
  pad.setChangeText("12");
  EXPECT_EQ(form.text(Field::ChangeAmount), "12");
  EXPECT_EQ(main.continuous().changeAmount(), 12);
  // Stepping by it: the target unit is the day.
  press({"timePad.stepUpButton"});
  EXPECT_EQ(instantOf(form), "2005-3-21 12:0:0");
  EXPECT_EQ(calcs, 1);
}

TEST_F(PadsTest, StartReversesThenStops) {
  form.selectOption(Option::Future);
  press({"timePad.startOrReverseButton"});
  EXPECT_EQ(timer.interval(), 100);
  press({"timePad.startOrReverseButton"});
  EXPECT_TRUE(form.option(Option::Past));
  EXPECT_EQ(timer.interval(), 100);
  EXPECT_EQ(main.continuous().loopStep(), -1);
  // The views' buttons are the same commands.
  press({"faceView.startOrReverseButton"});
  EXPECT_TRUE(form.option(Option::Future));
  press({"orbitView.stopButton"});
  EXPECT_EQ(timer.interval(), 0);
}

TEST_F(PadsTest, UnitLabelsSelectAndMarkTheUnit) {
  pad.loaded();
  EXPECT_EQ(pad.markedLabel(), 3);  // by the day, as designed
  press({"timePad.minutesLabel"});
  EXPECT_TRUE(form.option(Option::Minutes));
  EXPECT_EQ(main.continuous().loopTarget(), 8);
  EXPECT_EQ(pad.markedLabel(), 5);
  form.selectOption(Option::Years);  // from the main window
  EXPECT_EQ(pad.markedLabel(), 1);

  enterInstant(form, "2005", "3", "9", "12", "34", "56");
  press({"timePad.secondsLabelDouble"});
  EXPECT_EQ(instantOf(form), "2005-3-9 12:34:0");
  press({"timePad.daysLabelDouble", "timePad.hoursLabelDouble"});
  EXPECT_EQ(instantOf(form), "2005-3-1 0:34:0");
  EXPECT_EQ(calcs, 3);
}

// Fault guarded: a keypad closed without "OK" left its code set, and a
// search's own step of that field then ran a full calculation in the middle
// of the search, with outputs, views and results of a passing instant.
TEST_F(PadsTest, KeypadCodeIsNeitherKeptAfterClosingNorTakenBySearchesOrTicks) {
  keypad.openFor(Field::Second);
  keypad.dismiss();
  EXPECT_EQ(pending(), 0);
  EXPECT_FALSE(keypad.shown());

  // Open and waiting: the search, a loop step and the restore move the
  // field without taking the code, and calculate only themselves.
  keypad.openFor(Field::Second);
  main.form().setCheck(Check::TableOutput, 1);
  const size_t rows = main.outputs().table().rows().size();
  calcs = 0;
  press({"fullmoon"});
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(main.outputs().table().rows().size(), rows + 1);
  EXPECT_EQ(pending(), 9);
  // Every result belongs to the instant the fields show.
  const FormState found = form.state();
  main.calculator().calc();
  EXPECT_TRUE(form.state().texts == found.texts);

  calcs = 0;
  form.selectOption(Option::Seconds);
  press({"stepUpButton", "remem"});  // a step up, then the recorded instant back
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 9);
  // The user's entry still calculates once.
  press({"keypad.digit3Button", "keypad.okButton"});
  EXPECT_EQ(calcs, 2);
  EXPECT_EQ(pending(), 0);
}
}  // namespace
}  // namespace velmar
