#include "stepping/date_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "app/commands.h"
#include "app/main_form.h"
#include "engine/headless_form.h"
#include "engine/numtext.h"

namespace velmar {
namespace {

using std::chrono::seconds;
using std::chrono::system_clock;

struct Instant {
  long long y, mo, d, h, mi, s;
};

std::string show(const Instant& i) {
  char buf[120];
  std::snprintf(buf, sizeof buf, "%lld-%lld-%lld %lld:%lld:%lld", i.y, i.mo, i.d, i.h, i.mi, i.s);
  return buf;
}

class DateFieldsTest : public ::testing::Test {
 protected:
  FormModel form;
  Calculator calc{form};
  PlainUi ui;
  FixedClock clock{system_clock::time_point{}};
  DateFields dates{form, calc, ui, clock};
  int calcs = 0;
  std::string seenByCalc;  // the six fields as the last calc read them

  DateFieldsTest() {
    form.setFieldRule([this](Field f) { dates.fieldChanged(f); });
    calc.views.connect([this] { ++calcs, seenByCalc = fields(); });
  }
  // "2001-3-9 21:5:0": the six fields as displayed.
  std::string fields() const {
    return form.text(Field::Year) + "-" + form.text(Field::Month) + "-" + form.text(Field::Day) +
           " " + form.text(Field::Hour) + ":" + form.text(Field::Minute) + ":" +
           form.text(Field::Second);
  }
  void enter(const Instant& i) {
    for (auto [f, v] : {std::pair{Field::Year, i.y},
                        {Field::Month, i.mo},
                        {Field::Day, i.d},
                        {Field::Hour, i.h},
                        {Field::Minute, i.mi},
                        {Field::Second, i.s}})
      form.setText(f, formatInt(v));
    calcs = 0;
    seenByCalc.clear();
  }
  void enter(const char* text) {
    Instant i{};
    std::sscanf(text, "%lld-%lld-%lld %lld:%lld:%lld", &i.y, &i.mo, &i.d, &i.h, &i.mi, &i.s);
    enter(i);
  }
};

TEST_F(DateFieldsTest, WritesCarryAndBorrowThroughTheWholeCascade) {
  struct Row {
    const char* name;
    const char* start;
    int pending;
    Field field;
    const char* text;
    const char* expected;
    const char* seen;  // the fields calc read, "" when it did not run
  } rows[] = {
      {"day 0 of March, year divisible by 4", "2004-3-1 9:0:0", 0, Field::Day, "0",
       "2004-2-29 9:0:0", ""},
      {"day 0 of March, other years", "2001-3-1 9:0:0", 0, Field::Day, "0", "2001-2-28 9:0:0", ""},
      {"day 32 of December 2000", "2000-12-31 9:0:0", 0, Field::Day, "32", "2001-1-1 9:0:0", ""},
      {"hour 24", "2001-2-28 23:0:0", 0, Field::Hour, "24", "2001-3-1 0:0:0", ""},
      {"hour -1", "2001-3-1 0:0:0", 0, Field::Hour, "-1", "2001-2-28 23:0:0", ""},
      {"2004 to 2005 on 29 February", "2004-2-29 9:0:0", 0, Field::Year, "2005", "2005-3-1 9:0:0",
       ""},
      // The Gregorian rule: the centuries are common years unless they
      // divide by 400.
      {"1900 has no 29 February", "1900-2-28 9:0:0", 0, Field::Day, "29", "1900-3-1 9:0:0", ""},
      {"2000 has 29 February", "2000-2-28 9:0:0", 0, Field::Day, "29", "2000-2-29 9:0:0", ""},
      {"2100 to 2000 keeps 29 February", "2000-2-29 9:0:0", 0, Field::Year, "2100",
       "2100-3-1 9:0:0", ""},
      {"31 February stays", "2001-1-31 9:0:0", 0, Field::Month, "2", "2001-2-31 9:0:0", ""},
      {"empty minute", "2001-5-9 9:7:0", 0, Field::Minute, "", "2001-5-9 9:0:0", ""},
      // Fractions carry when they reach the next unit, so nothing alternates.
      {"second -0.5", "2001-5-9 9:7:0", 0, Field::Second, "-0.5", "2001-5-9 9:6:59.5", ""},
      {"month 12.5 stays", "2001-5-9 9:0:0", 0, Field::Month, "12.5", "2001-12.5-9 9:0:0", ""},
      {"day 31.5 stays in May", "2001-5-9 9:0:0", 0, Field::Day, "31.5", "2001-5-31.5 9:0:0", ""},
      // A pending entry calculates once, for the instant the cascade ends on,
      // even where a rule writes its own field before the larger unit.
      {"keypad 35 into the day", "2001-3-9 9:0:0", 3, Field::Day, "35", "2001-4-4 9:0:0",
       "2001-4-4 9:0:0"},
      {"second 60 at 23:59:59 on 31 December", "2000-12-31 23:59:59", 9, Field::Second, "60",
       "2001-1-1 0:0:0", "2001-1-1 0:0:0"},
      {"minute 135 at hour 10", "2001-3-9 10:0:0", 8, Field::Minute, "135", "2001-3-9 12:15:0",
       "2001-3-9 12:15:0"},
      {"month 13", "2001-12-9 9:0:0", 2, Field::Month, "13", "2002-1-9 9:0:0", "2002-1-9 9:0:0"},
      {"pending day reached by an hour carry", "2001-3-31 23:0:0", 3, Field::Hour, "24",
       "2001-4-1 0:0:0", "2001-4-1 0:0:0"},
      {"another field's change", "2001-3-9 9:0:0", 3, Field::Minute, "5", "2001-3-9 9:5:0", ""},
      {"the time pad's code", "2001-3-9 9:0:0", 20, Field::Second, "7", "2001-3-9 9:0:7", ""},
  };
  for (const Row& r : rows) {
    enter(r.start);
    dates.setPendingField(r.pending);
    form.setText(r.field, r.text);
    const std::string input = std::string(r.name) + ": " + r.start + ", " + fieldName(r.field) +
                              " := \"" + r.text + "\", pending " + std::to_string(r.pending);
    EXPECT_EQ(fields(), r.expected) << input;
    EXPECT_EQ(calcs, *r.seen ? 1 : 0) << input;
    EXPECT_EQ(seenByCalc, r.seen) << input;
    EXPECT_EQ(dates.pendingField(), *r.seen ? 0 : r.pending) << input;
  }
  for (const char* text : {"-3", "0.5", "00"}) {
    form.setText(Field::DeltaT, "66");
    form.setText(Field::DeltaT, text);
    EXPECT_EQ(form.text(Field::DeltaT), "0") << "delta T := \"" << text << "\"";
  }
}

TEST_F(DateFieldsTest, SpinnersStepWithinTheirLimits) {
  struct Row {
    const char* name;
    const char* spinner;
    const char* before;
    int direction;
    const char* after;
    int calcs;
  } rows[] = {
      {"day down on the 1st", "daySpinner", "1", -1, "28", 1},
      {"year at the highest", "yearSpinner", "30000", +1, "30000", 0},
      {"year at the lowest", "yearSpinner", "1584", -1, "1584", 0},
      {"year typed below the limits, up", "yearSpinner", "1000", +1, "1584", 1},
      {"second down from 0", "secondSpinner", "0", -1, "59", 1},
      {"delta T up", "deltaTSpinner", "66", +1, "67", 1},
      {"change amount calculates nothing", "changeAmountSpinner", "60", +1, "61", 0},
      {"loop count at the lowest", "loopCountSpinner", "2", -1, "2", 0},
  };
  for (const Row& r : rows) {
    enter("2001-3-1 9:0:0");
    const Field f = findSpinner(r.spinner)->field;
    form.setText(f, r.before);
    calcs = 0;
    const bool changed = dates.spin(f, r.direction);
    const std::string input = std::string(r.name) + ": \"" + r.before + "\"";
    EXPECT_EQ(form.text(f), r.after) << input;
    EXPECT_EQ(changed, r.before != std::string(r.after)) << input;
    EXPECT_EQ(calcs, r.calcs) << input;
  }
}

TEST_F(DateFieldsTest, NowTodayAndAdjustUseJapanStandardTime) {
  clock.set(system_clock::time_point{seconds{978292805}});  // 2000-12-31 20:00:05 UTC
  enter("1999-7-7 7:7:7");
  dates.setToToday();
  EXPECT_EQ(seenByCalc, "2001-1-1 7:7:7");
  dates.setToNow();
  EXPECT_EQ(seenByCalc, "2001-1-1 5:0:5");
  enter("2001-3-9 21:5:30");
  dates.adjust();
  EXPECT_EQ(seenByCalc, "2001-3-9 21:0:0");
  EXPECT_EQ(calcs, 1);
}

TEST_F(DateFieldsTest, RecordedDateComesBackWithoutACalculation) {
  struct Row {
    const char* name;
    const char* recorded;
    const char* meanwhile;
  } rows[] = {
      {"a January date", "2001-1-15 10:20:30", "2003-6-30 1:2:3"},
      {"29 February over another 29 February", "2004-2-29 0:0:0", "2008-2-29 5:5:5"},
  };
  for (const Row& r : rows) {
    enter(r.recorded);
    calc.calc();
    dates.confirmAndRecord();
    enter(r.meanwhile);
    dates.restoreRecordedDate();
    EXPECT_EQ(fields(), r.recorded) << r.name;
    EXPECT_EQ(calcs, 0) << r.name;
  }
  EXPECT_EQ(ui.lastTitle, "確認");
  EXPECT_EQ(ui.lastText,
            "現在の年月日時分秒を記録します\r\r"
            "すでに記録されていた日時が上書されます\r\r記録を実行しますか？");
  enter("2001-3-9 9:0:0");
  calc.calc();
  ui.answer = false;  // No keeps the old record
  dates.confirmAndRecord();
  EXPECT_EQ(dates.recorded().day, 29);
}

TEST_F(DateFieldsTest, ValuesTooFarOutAreRefusedAndNothingHangs) {
  const std::string nines(300, '9');
  struct Row {
    const char* name;
    Field field;
    std::string text;
    bool refused;
  } rows[] = {
      {"year of 10^300", Field::Year, "1" + std::string(300, '0'), true},
      {"day of 10^9", Field::Day, "1000000000", true},
      {"month beyond a double", Field::Month, nines + nines, true},
      {"second far below", Field::Second, "-" + nines, true},
      {"the largest day carried", Field::Day, "60000", false},
      {"the largest second carried", Field::Second, "-120000", false},
      {"not a number", Field::Minute, "nan", false},
  };
  for (const Row& r : rows) {
    enter("2001-3-9 9:0:0");
    const std::string before = form.text(r.field);
    ui.messages = 0;
    form.setText(r.field, r.text);
    EXPECT_EQ(ui.messages, r.refused ? 1 : 0) << r.name;
    EXPECT_TRUE(!r.refused || form.text(r.field) == before) << r.name << ": " << fields();
  }
  EXPECT_EQ(ui.lastText,
            "秒には -120000 から 120000 までの数値を入力してください。入力前の値に戻します。");
}

// Day number in the Gregorian calendar, by an algorithm of its own (H.
// Hinnant's days_from_civil) rather than from month lengths.
long long dayNumber(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}
long long daysIn(long long y, long long m) {
  return m == 12 ? dayNumber(y + 1, 1, 1) - dayNumber(y, 12, 1)
                 : dayNumber(y, m + 1, 1) - dayNumber(y, m, 1);
}

TEST_F(DateFieldsTest, SteppingAnyUnitMovesTheInstantByExactlyThatMuch) {
  struct Unit {
    const char* name;
    Field field;
    long long seconds;  // 0 for the calendar units
    long long months;
    double maxOffset;
  } units[] = {
      {"second", Field::Second, 1, 0, 110000}, {"minute", Field::Minute, 60, 0, 110000},
      {"hour", Field::Hour, 3600, 0, 45000},   {"day", Field::Day, 86400, 0, 55000},
      {"month", Field::Month, 0, 1, 12000},    {"year", Field::Year, 0, 12, 500},
  };
  auto toSeconds = [](const Instant& i) {
    return ((dayNumber(i.y, i.mo, i.d) * 24 + i.h) * 60 + i.mi) * 60 + i.s;
  };
  std::mt19937_64 rng(20010309);
  auto pick = [&](long long lo, long long hi) {
    return std::uniform_int_distribution<long long>(lo, hi)(rng);
  };
  for (const Unit& u : units) {
    for (int i = 0; i < 1000; ++i) {
      Instant a{pick(1600, 2999), pick(1, 12), 0, pick(0, 23), pick(0, 59), pick(0, 59)};
      // The month rule leaves the day alone: calendar steps start on a day
      // that every month has.
      a.d = pick(1, u.seconds ? daysIn(a.y, a.mo) : 28);
      // Mostly small offsets, some near the largest that is carried.
      const double magnitude =
          std::exp(std::uniform_real_distribution<double>(0, std::log(u.maxOffset))(rng));
      const long long k = static_cast<long long>(magnitude) * (pick(0, 1) ? 1 : -1);
      enter(a);
      form.setText(u.field, formatInt(static_cast<long long>(form.value(u.field)) + k));

      Instant b{};
      std::sscanf(fields().c_str(), "%lld-%lld-%lld %lld:%lld:%lld", &b.y, &b.mo, &b.d, &b.h, &b.mi,
                  &b.s);
      const std::string what =
          show(a) + " + " + std::to_string(k) + " " + u.name + " -> " + fields();
      ASSERT_EQ(fields(), show(b)) << what;  // whole numbers only
      ASSERT_TRUE(b.mo >= 1 && b.mo <= 12 && b.d >= 1 && b.d <= daysIn(b.y, b.mo) && b.h >= 0 &&
                  b.h < 24 && b.mi >= 0 && b.mi < 60 && b.s >= 0 && b.s < 60)
          << what;
      if (u.seconds) {
        ASSERT_EQ(toSeconds(b) - toSeconds(a), k * u.seconds) << what;
      } else {
        ASSERT_EQ((b.y * 12 + b.mo) - (a.y * 12 + a.mo), k * u.months) << what;
        ASSERT_EQ(show({0, 0, b.d, b.h, b.mi, b.s}), show({0, 0, a.d, a.h, a.mi, a.s})) << what;
      }
      ASSERT_EQ(calcs, 0) << what;
    }
  }
}

struct MainFormDates : testing_form::HeadlessFormTest {
  MainFormDates() { clock.set(testing_form::kExampleEvening); }
};

TEST_F(MainFormDates, CommandsAndSpinnersAreWired) {
  ASSERT_TRUE(main.run("nowButton"));
  ASSERT_TRUE(main.run("mem"));
  const std::string jd = form.text(Field::JulianDay);
  EXPECT_TRUE(main.spin("daySpinner", -1));
  EXPECT_EQ(form.text(Field::Day), "8");
  EXPECT_NE(form.text(Field::JulianDay), jd);
  ASSERT_TRUE(main.run("remem"));
  EXPECT_EQ(form.text(Field::Day) + " " + form.text(Field::Hour), "9 21");
  EXPECT_EQ(ui.questions, 1);
  EXPECT_FALSE(main.spin("unknownSpinner", 1));
  EXPECT_STREQ(findCommand("mem")->command->shortcut, "Ctrl+W");
  EXPECT_STREQ(findCommand("remem")->command->shortcut, "Ctrl+R");
}

// Fault guarded: a fraction typed into a date field was half carried (a
// month of 12.6 became 2002/1.6/40 with a Julian Day and no sign of it).
// Whole numbers are what the rules and the calculation use: the field is
// rounded, at once, and marked so that the user sees it.
TEST_F(MainFormDates, FractionsInTheDateAreRoundedAndMarked) {
  ASSERT_TRUE(main.run("nowButton"));
  main.confirm(Field::Month, "12.6");
  const std::string date =
      form.text(Field::Year) + "/" + form.text(Field::Month) + "/" + form.text(Field::Day);
  EXPECT_EQ(date, "2002/1/9");
  EXPECT_EQ(main.entrySign().field, Field::Month);
  EXPECT_FALSE(main.entrySign().staleResults);
  EXPECT_NE(main.guidance().find("「12.6」を「13」"), std::string::npos);
  EXPECT_EQ(main.calculator().result().time.year + 1, 2002);  // January is month 13 of the year before
  for (const auto& [field, typed, shown] : {std::tuple{Field::Day, ".999", "1"},
                                            {Field::Hour, "23.5", "0"},
                                            {Field::Second, "-0.4", "0"},
                                            {Field::Minute, "59.5", "0"}}) {
    main.enter(field, typed);
    EXPECT_EQ(form.text(field), shown) << typed;
    EXPECT_EQ(main.entrySign().field, field) << typed;
  }
  // The next entry with nothing to correct takes the mark away.
  main.enter(Field::Second, "7");
  EXPECT_EQ(main.entrySign().field, Field{});
}
}  // namespace
}  // namespace velmar
