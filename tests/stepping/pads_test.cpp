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
  press({"Form2.Command2", "Form2.Command10", "Form2.Command10", "Form2.Command5",
         "Form2.Command13", "Form2.Command6"});
  EXPECT_EQ(keypad.entry(), "2006");
  EXPECT_EQ(form.text(Field::Year), "2005");  // nothing written before "OK"
  press({"Form2.Command12"});
  EXPECT_EQ(form.text(Field::Year), "2006");
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 0);
  EXPECT_FALSE(keypad.shown());

  // An empty entry on the hour writes an empty field, which reads back "0".
  keypad.openFor(Field::Hour);
  EXPECT_EQ(keypad.entry(), "");
  press({"Form2.Command7", "Form2.Command11", "Form2.Command12"});  // "7", "AC", "OK"
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
  press({"Form7.Command11"});  // the time pad's second "▲" takes the code
  EXPECT_EQ(calcs, 1);
  press({"Form2.Command4", "Form2.Command5", "Form2.Command12"});
  EXPECT_EQ(instantOf(form), "2005-3-9 12:45:1");
  EXPECT_EQ(calcs, 2);
}

TEST_F(PadsTest, KeypadFillsTheChangeAmountEitherWay) {
  keypad.openFor(Field::ChangeAmount);
  EXPECT_EQ(keypad.caption(), "変化分を入力");
  press({"Form2.Command3", "Form2.Command10", "Form2.Command12"});
  EXPECT_EQ(form.text(Field::ChangeAmount), "30");
  EXPECT_EQ(pad.changeText(), "30");  // the time pad mirrors it

  // From the time pad's change field: an entry of 0 is put right to 1 in
  // both fields.
  keypad.openForTimePad();
  EXPECT_EQ(keypad.reference(), "30");
  EXPECT_EQ(keypad.caption(), "変化分を入力");
  press({"Form2.Command10", "Form2.Command12"});
  EXPECT_EQ(form.text(Field::ChangeAmount), "1");
  EXPECT_EQ(pad.changeText(), "1");
  EXPECT_EQ(calcs, 0);
}

TEST_F(PadsTest, OneStepButtonsCarryAndCalculateOnce) {
  enterInstant(form, "2005", "3", "9", "12", "7", "0");
  press({"Form7.Command12"});  // second "▼" at 0 borrows a minute
  EXPECT_EQ(instantOf(form), "2005-3-9 12:6:59");
  EXPECT_EQ(calcs, 1);
  press({"Form7.Command3", "Form7.Command5", "Form7.Command8"});  // month +1, day +1, hour -1
  EXPECT_EQ(instantOf(form), "2005-4-10 11:6:59");
  EXPECT_EQ(calcs, 4);
  press({"Form7.Command20"});  // "<<": back to the recorded instant, calculated
  EXPECT_EQ(calcs, 5);
}

TEST_F(PadsTest, NowCalculatesOnlyWhenTheSecondChanges) {
  form.setText(Field::Second, "30");
  press({"Form7.Command13"});
  EXPECT_EQ(instantOf(form), "2001-3-9 21:5:0");
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 0);
  // The same second again: no field changes, nothing is calculated and the
  // code waits for the second's next change.
  press({"Form7.Command13"});
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 9);
  form.setText(Field::Second, "1");
  EXPECT_EQ(calcs, 2);
}

TEST_F(PadsTest, ChangeAmountButtonsStayInRangeAndMirror) {
  pad.loaded();
  EXPECT_EQ(pad.changeText(), "1");
  press({"Form7.Command17"});  // "▼" at 1 writes 0, put right to 1
  EXPECT_EQ(form.text(Field::ChangeAmount), "1");
  EXPECT_EQ(pad.changeText(), "1");
  press({"Form7.Command16", "Form7.Command16"});
  EXPECT_EQ(form.text(Field::ChangeAmount), "3");
  EXPECT_EQ(pad.changeText(), "3");
  form.setText(Field::ChangeAmount, "5000");
  EXPECT_EQ(pad.changeText(), "3600");
  pad.setChangeText("12");
  EXPECT_EQ(form.text(Field::ChangeAmount), "12");
  EXPECT_EQ(main.continuous().changeAmount(), 12);
  // Stepping by it: the target unit is the day.
  press({"Form7.Command18"});
  EXPECT_EQ(instantOf(form), "2005-3-21 12:0:0");
  EXPECT_EQ(calcs, 1);
}

TEST_F(PadsTest, StartReversesThenStops) {
  form.selectOption(Option::Future);
  press({"Form7.Command14"});
  EXPECT_EQ(timer.interval(), 100);
  press({"Form7.Command14"});
  EXPECT_TRUE(form.option(Option::Past));
  EXPECT_EQ(timer.interval(), 100);
  EXPECT_EQ(main.continuous().loopStep(), -1);
  // The views' buttons are the same commands.
  press({"Form5.Command1"});
  EXPECT_TRUE(form.option(Option::Future));
  press({"Form6.Command2"});
  EXPECT_EQ(timer.interval(), 0);
}

TEST_F(PadsTest, UnitLabelsSelectAndMarkTheUnit) {
  pad.loaded();
  EXPECT_EQ(pad.markedLabel(), 3);  // by the day, as designed
  press({"Form7.Label5"});
  EXPECT_TRUE(form.option(Option::Minutes));
  EXPECT_EQ(main.continuous().loopTarget(), 8);
  EXPECT_EQ(pad.markedLabel(), 5);
  form.selectOption(Option::Years);  // from the main window
  EXPECT_EQ(pad.markedLabel(), 1);

  enterInstant(form, "2005", "3", "9", "12", "34", "56");
  press({"Form7.Label6Double"});
  EXPECT_EQ(instantOf(form), "2005-3-9 12:34:0");
  press({"Form7.Label3Double", "Form7.Label4Double"});
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
  press({"Command22", "remem"});  // a step up, then the recorded instant back
  EXPECT_EQ(calcs, 1);
  EXPECT_EQ(pending(), 9);
  // The user's entry still calculates once.
  press({"Form2.Command3", "Form2.Command12"});
  EXPECT_EQ(calcs, 2);
  EXPECT_EQ(pending(), 0);
}
}  // namespace
}  // namespace velmar
