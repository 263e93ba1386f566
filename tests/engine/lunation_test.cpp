#include "engine/lunation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>

#include "engine/headless_form.h"
#include "engine/instant.h"
#include "engine/numtext.h"

namespace velmar {
namespace {

using namespace testing_instant;

class LunationTest : public testing_form::HeadlessFormTest {
 protected:
  void at(const char* y, const char* mo, const char* d, const char* h, const char* mi,
          const char* s) {
    calcAt(y, mo, d, h, mi, s);
  }

  double jd() const { return form.value(Field::JulianDay); }
};

// The new moon of 2001-02-23 17:22:25 JST (as the program computes it).
TEST_F(LunationTest, NewMoonSearchEndsOnTheSecondOfZeroFraction) {
  at("2001", "3", "9", "21", "5", "0");
  main.run("findNewMoon");
  EXPECT_EQ(instant(), "2001-2-23 17:22:25");
  EXPECT_EQ(form.text(Field::Illumination), " 0.000000000000");
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_EQ(ui.waitDepth, 0);
  // The moon latitude and distance were recalculated by the final calc.
  const std::string latitude = form.text(Field::MoonLatitude);
  at("2001", "2", "23", "17", "22", "25");
  EXPECT_EQ(form.text(Field::MoonLatitude), latitude);

  // A second press finds the fraction at zero: nothing moves, one beep.
  main.run("findNewMoon");
  EXPECT_EQ(instant(), "2001-2-23 17:22:25");
  EXPECT_EQ(ui.beeps, 2);
}

TEST_F(LunationTest, NewMoonSearchBorrowsIntoThePreviousMonth) {
  at("2001", "3", "1", "3", "0", "0");  // five days after the new moon of 23 February
  main.run("findNewMoon");
  EXPECT_EQ(instant(), "2001-2-23 17:22:25");
  // The result is the same whatever the mode.
  at("2001", "3", "1", "3", "0", "0");
  main.run("easycalc");
  main.run("findNewMoon");
  EXPECT_EQ(instant(), "2001-2-23 17:22:25");
}

TEST_F(LunationTest, MoonAgeJustAfterANewMoonInBothModes) {
  // 1.5 hours after the new moon.
  at("2001", "2", "23", "18", "52", "25");
  main.run("easycalc");
  main.run("moonage");
  EXPECT_EQ(instant(), "2001-2-23 18:52:25");  // the fields are put back
  EXPECT_NEAR(form.value(Field::MoonAge), 1.0 / 24, 1e-6);

  main.run("hqcalc");
  main.run("moonage");
  EXPECT_NEAR(form.value(Field::MoonAge), 1.5 / 24, 2.0 / 86400);
  // The reference lies within a second or two of the zero-fraction instant.
  at("2001", "2", "23", "17", "22", "25");
  EXPECT_NEAR(form.value(Field::ReferenceDate), jd(), 2.0 / 86400);
}

TEST_F(LunationTest, MoonAgeOfAJanuaryDateComesBackAsJanuary) {
  at("2001", "1", "10", "12", "0", "0");
  main.run("moonage");
  EXPECT_EQ(instant(), "2001-1-10 12:0:0");
  EXPECT_GT(form.value(Field::MoonAge), 10);
  EXPECT_LT(form.value(Field::MoonAge), 20);
  EXPECT_EQ(form.value(Field::MoonAge),
            value(formatResult(form.value(Field::JulianDay) - form.value(Field::ReferenceDate))));
}

TEST_F(LunationTest, FullMoonFromWaxingAndWaningInstants) {
  // The full moon of 2001-03-10 (about 02:23 JST).
  at("2001", "2", "26", "12", "0", "0");  // waxing, three days after new moon
  main.run("fullmoon");
  EXPECT_EQ(form.text(Field::Illumination), " 1.000000000000") << instant();
  const std::string fullMoon = instant();
  EXPECT_EQ(fullMoon.substr(0, 9), "2001-3-10");
  at("2001", "3", "13", "12", "0", "0");  // waning, three days after
  main.run("fullmoon");
  EXPECT_EQ(instant(), fullMoon);
  // A second press does nothing but beep.
  const int beeps = ui.beeps;
  main.run("fullmoon");
  EXPECT_EQ(instant(), fullMoon);
  EXPECT_EQ(ui.beeps, beeps + 1);

  main.run("nextfull");
  EXPECT_EQ(form.text(Field::Illumination), " 1.000000000000");
  EXPECT_EQ(instant().substr(0, 7), "2001-4-");
  main.run("backfull");
  main.run("backfull");
  EXPECT_EQ(instant().substr(0, 7), "2001-2-");
  EXPECT_EQ(form.text(Field::Illumination), " 1.000000000000");
}

TEST_F(LunationTest, RebasingFollowsTheCalculationBothWays) {
  at("2001", "2", "20", "12", "0", "0");
  form.setCheck(Check::AutoRebase, 1);  // finds the new moon of 24 January at once
  const double firstReference = form.value(Field::ReferenceDate);
  EXPECT_GT(form.value(Field::MoonAge), 26);
  // Forward a day at a time: past 29 days and the next new moon, the
  // reference moves to 23 February.
  main.form().selectOption(Option::Days);
  form.setText(Field::ChangeAmount, "1");
  double maxAge = 0;
  for (int i = 0; i < 6; ++i) {
    main.continuous().tick();
    maxAge = std::max(maxAge, form.value(Field::MoonAge));
  }
  EXPECT_GT(maxAge, 29);
  EXPECT_LT(form.value(Field::MoonAge), 3);
  EXPECT_NEAR(form.value(Field::ReferenceDate) - firstReference, 29.9, 0.5);
  // Backwards past the reference: rebased to the previous new moon at once.
  form.selectOption(Option::Past);
  for (int i = 0; i < 4; ++i) main.continuous().tick();
  EXPECT_GT(form.value(Field::MoonAge), 0);
  EXPECT_NEAR(form.value(Field::ReferenceDate), firstReference, 1e-9);
  // Unticked, the age just goes negative.
  form.setCheck(Check::AutoRebase, 0);
  form.setText(Field::Day, formatPlain(form.value(Field::Day) - 31));
  main.calculator().calc();
  EXPECT_LT(form.value(Field::MoonAge), 0);
}

TEST_F(LunationTest, ReferenceCommands) {
  at("2001", "3", "9", "21", "5", "0");
  form.setCheck(Check::AutoRebase, 1);
  main.run("setrefbt");
  EXPECT_EQ(form.text(Field::ReferenceDate), form.text(Field::JulianDay));
  EXPECT_EQ(form.text(Field::MoonAge), " 0.00000000000");
  EXPECT_EQ(form.check(Check::AutoRebase), 0);
  main.run("clearrefbt");
  EXPECT_EQ(form.text(Field::ReferenceDate), "");
  EXPECT_EQ(form.text(Field::MoonAge), "");
}

TEST_F(LunationTest, SearchLeavingTheCalendarStopsAndRestores) {
  // Back from early January 1583 the day stage would walk into 1582, where
  // the Julian Day stops moving.
  at("1583", "1", "3", "12", "0", "0");
  const std::string start = instant();
  main.run("findNewMoon");
  EXPECT_EQ(instant(), start);
  EXPECT_EQ(ui.messages, 1);
  EXPECT_EQ(ui.waitDepth, 0);
  main.run("moonage");
  EXPECT_EQ(instant(), start);
  EXPECT_EQ(ui.messages, 2);
  EXPECT_EQ(ui.lastTitle, "Velmar  Ver2");  // it tells, it does not ask
  EXPECT_EQ(ui.lastTone, Tone::Warning);
  // The previous full moon steps a month back first (into 1582): giving up
  // goes back to where the user started, with results for that instant.
  const std::string startJd = form.text(Field::JulianDay);
  main.run("backfull");
  EXPECT_EQ(ui.messages, 3);
  EXPECT_EQ(instant(), start);
  EXPECT_EQ(form.text(Field::JulianDay), startJd);
}

// The searches step on values and hand the form their end: every text,
// box and tick must end as the searches that stepped the fields themselves
// left them (recorded as an FNV-1a digest of the whole form after each
// command, from several searches in both modes, with automatic delta T,
// across month and year boundaries and out of the calendar's range), and a
// search writes each date or time field at most once.
TEST_F(LunationTest, SearchesEndWhereFieldSteppingEndedAndWriteEachFieldOnce) {
  uint64_t digest = 14695981039346656037ull;
  auto mix = [&](std::string_view bytes) {
    for (unsigned char c : bytes) digest = (digest ^ c) * 1099511628211ull;
    digest = (digest ^ 0xff) * 1099511628211ull;
  };
  std::map<int, int> writes;
  Connection listening(form.changed(), form.changed().connect([&](const Change& c) {
    if (c.kind == Change::Kind::Field) ++writes[c.id];
  }));
  auto run = [&](const char* command, int mostWrites) {
    writes.clear();
    main.run(command);
    for (Field f : kInstantFields) EXPECT_LE(writes[static_cast<int>(f)], mostWrites) << command;
    const FormState state = form.state();
    for (const std::string& t : state.texts) mix(t);
    for (int c : state.checks) mix(std::to_string(c));
    for (bool t : state.ticks) mix(t ? "1" : "0");
  };

  at("2001", "3", "9", "21", "5", "0");
  run("findNewMoon", 1);
  form.setCheck(Check::AutoDeltaT, 1);
  at("2001", "1", "2", "3", "4", "5");
  // Putting January back writes month 13, which its rule carries.
  run("moonage", 2);
  run("easycalc", 0);
  run("moonage", 2);
  run("hqcalc", 0);
  at("2001", "3", "1", "21", "5", "0");
  run("fullmoon", 1);
  // The month step writes its field before the search does.
  run("nextfull", 2);
  at("2003", "12", "31", "23", "59", "59");
  run("backfull", 2);
  run("nextfull", 2);
  at("1934", "12", "25", "12", "0", "0");
  run("fullmoon", 1);
  at("1583", "1", "3", "12", "0", "0");
  run("findNewMoon", 1);

  EXPECT_EQ(digest, 145155667255359848ull);
}

TEST_F(LunationTest, NewMoonButtonSelectsHighPrecision) {
  main.run("easycalc");
  at("2001", "3", "9", "21", "5", "0");
  main.run("newbt");
  EXPECT_TRUE(form.tick(Tick::hqcalc));
  EXPECT_FALSE(form.tick(Tick::easycalc));
  EXPECT_EQ(instant(), "2001-2-23 17:22:25");
}

// Fault guarded: from a full moon, "前の満月" into 1582 left the fields a
// month back with every result still that of the start, and no word: the
// fraction still read 1, so the search took itself for done.
TEST_F(LunationTest, PreviousFullMoonOutOfTheCalendarFromAFullMoonRestoresAndTells) {
  at("1583", "1", "8", "12", "0", "0");
  main.run("fullmoon");
  ASSERT_EQ(form.text(Field::Illumination), " 1.000000000000");
  ASSERT_EQ(instant().substr(0, 8), "1583-1-8");
  const std::string start = instant();
  const std::string startJd = form.text(Field::JulianDay);
  const int messages = ui.messages;
  for (int press = 1; press <= 2; ++press) {
    main.run("backfull");
    EXPECT_EQ(ui.messages, messages + press);
    EXPECT_EQ(instant(), start);
    EXPECT_EQ(form.text(Field::JulianDay), startJd);
  }
  EXPECT_EQ(ui.waitDepth, 0);
}

// Fault guarded: while the box said the fields were back at the start,
// the window still showed the marks of the month step into 1582 (a red
// year, stale results, the invalid-date hint), cleared only after the box.
TEST(LunationMarks, WrongMarksDuringARestore) {
  struct MarksAtMessage : PlainUi {
    MainForm* main = nullptr;
    EntrySign sign;
    std::string guidance;
    void message(const std::string& title, const std::string& text, Tone tone) override {
      PlainUi::message(title, text, tone);
      sign = main->entrySign();
      guidance = main->guidance();
    }
  } ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main{ui, clock, timer, FilePaths{}};
  ui.main = &main;
  main.form().setTick(Tick::guid, true);
  enterInstant(main.form(), "1583", "1", "8", "15", "6", "41");
  main.form().setText(Field::DeltaT, "66");
  main.calculator().calc();
  const std::string hint = main.guidance();
  main.run("backfull");
  ASSERT_EQ(ui.messages, 1);
  EXPECT_EQ(instantOf(main.form()), "1583-1-8 15:6:41");
  EXPECT_EQ(ui.sign.field, Field{});
  EXPECT_FALSE(ui.sign.staleResults);
  EXPECT_NE(ui.guidance, kInvalidDateHint);
}
}  // namespace
}  // namespace velmar
