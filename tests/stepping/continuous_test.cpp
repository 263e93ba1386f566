#include "stepping/continuous.h"

#include <gtest/gtest.h>

#include "engine/headless_form.h"

namespace velmar {
namespace {

using namespace testing_instant;

class ContinuousTest : public testing_form::HeadlessFormTest {
 protected:
  Continuous& loop = main.continuous();

  void settings(Option unit, const char* amount, Option direction) {
    form.selectOption(unit);
    form.setText(Field::ChangeAmount, amount);
    form.selectOption(direction);
  }
};

TEST_F(ContinuousTest, TicksCarryThroughTheFields) {
  struct Row {
    const char* name;
    const char* start[6];
    Option unit;
    const char* amount;
    Option direction;
    const char* expected;
  } rows[] = {
      {"seconds +30",
       {"2001", "3", "9", "12", "0", "45"},
       Option::Seconds,
       "30",
       Option::Future,
       "2001-3-9 12:1:15"},
      {"day back into leap February",
       {"2004", "3", "1", "9", "0", "0"},
       Option::Days,
       "1",
       Option::Past,
       "2004-2-29 9:0:0"},
      {"month past December",
       {"2001", "12", "15", "9", "0", "0"},
       Option::Months,
       "1",
       Option::Future,
       "2002-1-15 9:0:0"},
      {"31 January + 1 month stays 31 February",
       {"2001", "1", "31", "9", "0", "0"},
       Option::Months,
       "1",
       Option::Future,
       "2001-2-31 9:0:0"},
  };
  for (const Row& r : rows) {
    at(r.start[0], r.start[1], r.start[2], r.start[3], r.start[4], r.start[5]);
    settings(r.unit, r.amount, r.direction);
    loop.start();
    main.timerFired();
    EXPECT_EQ(instant(), r.expected) << r.name;
    EXPECT_NE(form.text(Field::MoonLongitude), "") << r.name << ": no calc after the tick";
    loop.stop();
  }
}

TEST_F(ContinuousTest, StepButtonsMoveByTheChangeAmount) {
  at("2001", "3", "9", "10", "45", "0");
  settings(Option::Minutes, "90", Option::Past);  // the direction does not matter
  main.run("stepUpButton");
  EXPECT_EQ(instant(), "2001-3-9 12:15:0");
  main.run("stepDownButton");
  EXPECT_EQ(instant(), "2001-3-9 10:45:0");
  EXPECT_FALSE(loop.running());
}

TEST_F(ContinuousTest, SettingsApplyAtOnceAndNeverStartTheLoop) {
  at("2001", "3", "9", "12", "0", "0");
  settings(Option::Hours, "1", Option::Future);
  form.selectOption(Option::Normal);  // normal speed while stopped
  EXPECT_FALSE(loop.running());
  main.run("startLoopButton");
  EXPECT_EQ(timer.interval(), 1000);
  form.selectOption(Option::Fast);
  EXPECT_EQ(timer.interval(), 100);
  main.timerFired();
  EXPECT_EQ(form.text(Field::Hour), "13");
  // Reversal during the run, from the next tick on, same amount.
  form.selectOption(Option::Past);
  main.timerFired();
  main.timerFired();
  EXPECT_EQ(form.text(Field::Hour), "11");
  // Start-or-reverse while running swaps the direction again.
  loop.startOrReverse();
  EXPECT_TRUE(form.option(Option::Future));
  main.timerFired();
  EXPECT_EQ(form.text(Field::Hour), "12");
  main.run("stopLoopButton");
  EXPECT_FALSE(loop.running());
  loop.startOrReverse();  // stopped: starts
  EXPECT_TRUE(loop.running());
}

TEST_F(ContinuousTest, ChangeAmountAndLoopCountAreClamped) {
  form.setText(Field::ChangeAmount, "0");
  EXPECT_EQ(form.text(Field::ChangeAmount), "1");
  form.setText(Field::ChangeAmount, "5000");
  EXPECT_EQ(form.text(Field::ChangeAmount), "3600");
  EXPECT_EQ(loop.changeAmount(), 3600);
  form.setText(Field::LoopCount, "1");
  EXPECT_EQ(form.text(Field::LoopCount), "2");
  ui.answer = false;
  form.setText(Field::LoopCount, "400");
  EXPECT_EQ(ui.questions, 1);
  EXPECT_EQ(ui.lastTitle, "確認");
  EXPECT_EQ(ui.lastText,
            "ループ数に365を越える数値を指定しようとしています\r\r以下の項目に影響があります\r"
            "グラフ表示の異常・推算時間の過大\r\r指定されたループ数400を設定しますか？");
  EXPECT_EQ(form.text(Field::LoopCount), "365");
  ui.answer = true;
  form.setText(Field::LoopCount, "500");
  EXPECT_EQ(form.text(Field::LoopCount), "500");
}

TEST_F(ContinuousTest, LoopStopsItselfWhenTheLastOutputIsFull) {
  at("2001", "3", "9", "12", "0", "0");
  settings(Option::Hours, "1", Option::Future);
  form.setText(Field::LoopCount, "10");
  form.setCheck(Check::TableOutput, 1);  // the first row: the starting moment
  main.run("loopcalc");
  for (int i = 0; i < 20 && loop.running(); ++i) main.timerFired();
  EXPECT_EQ(main.outputs().table().rows().size(), 10u);
  EXPECT_EQ(form.check(Check::TableOutput), 0);
  EXPECT_FALSE(loop.running());
  EXPECT_EQ(form.text(Field::Hour), "21");
  // The count starts again at 0 for the next run.
  EXPECT_EQ(main.outputs().table().counter(), 0);
}

TEST_F(ContinuousTest, StartRecordsTheDateWhenAsked) {
  at("2001", "3", "9", "12", "0", "0");
  main.calculator().calc();
  settings(Option::Hours, "1", Option::Future);
  main.run("loopcalc");
  main.timerFired();
  main.timerFired();
  main.run("stopcalc");
  main.run("remem");
  EXPECT_EQ(instant(), "2001-3-9 12:0:0");
  main.run("automem");  // unticked: a start leaves the record alone
  main.run("loopcalc");
  main.timerFired();
  main.run("stopcalc");
  main.run("remem");
  EXPECT_EQ(instant(), "2001-3-9 12:0:0");
}

// A message box inside a command runs its own event loop; the timer may
// fire there, but the tick must wait for the command to end.
class TickDuringQuestion : public PlainUi {
 public:
  MainForm* main = nullptr;
  std::string hourDuringQuestion;
  bool askYesNo(const std::string& title, const std::string& text) override {
    main->timerFired();
    hourDuringQuestion = main->form().text(Field::Hour);
    return PlainUi::askYesNo(title, text);
  }
};

TEST(ContinuousTicks, WaitForTheCommandThatIsRunning) {
  TickDuringQuestion ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main(ui, clock, timer);
  ui.main = &main;
  FormModel& f = main.form();
  enterInstant(f, "2001", "3", "9", "12", "0", "0");
  f.selectOption(Option::Hours);
  f.setText(Field::ChangeAmount, "1");
  main.run("loopcalc");
  main.calculator().calc();
  main.run("mem");  // asks; the timer fires meanwhile
  EXPECT_EQ(ui.hourDuringQuestion, "12");
  // The due tick runs from the event loop after the command, not inside
  // the command's last moments.
  EXPECT_EQ(f.text(Field::Hour), "12");
  EXPECT_EQ(timer.runPosted(), 1);
  EXPECT_EQ(f.text(Field::Hour), "13");
}

// Fault guarded: a loop count or change amount with a fraction was kept,
// and the outputs' counters, compared with it for equality, never met it:
// the run went on for ever.
TEST_F(ContinuousTest, FractionalLoopCountAndChangeAmountAreRoundedAndTheRunEnds) {
  at("2001", "3", "9", "12", "0", "0");
  settings(Option::Hours, "1.5", Option::Future);
  EXPECT_EQ(form.text(Field::ChangeAmount), "2");
  EXPECT_EQ(loop.changeAmount(), 2);
  main.enter(Field::LoopCount, "10.5");
  EXPECT_EQ(form.text(Field::LoopCount), "11");
  EXPECT_EQ(main.entrySign().field, Field::LoopCount);
  form.setCheck(Check::TableOutput, 1);
  main.run("loopcalc");
  for (int i = 0; i < 40 && loop.running(); ++i) main.timerFired();
  EXPECT_FALSE(loop.running());
  EXPECT_EQ(main.outputs().table().rows().size(), 11u);
  EXPECT_EQ(form.text(Field::Hour), "8");  // ten steps of two hours: the next day
}
}  // namespace
}  // namespace velmar
