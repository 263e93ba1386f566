// velmar-cli writes its date and time through the fields' rules, as typed.
#include "cli/cli_run.h"

namespace {

using namespace velmar::testing_cli;

std::string shownInstant(const std::string& out) {
  return line(out, "年") + "-" + line(out, "月") + "-" + line(out, "日") + " " + line(out, "時") +
         ":" + line(out, "分") + ":" + line(out, "秒");
}

TEST(CliDates, OutOfRangeValuesArePutRightByTheRules) {
  struct Row {
    const char* name;
    const char* args;
    const char* shown;
  } rows[] = {
      {"29 February of a common year", "--date 2001-02-29 --time 9:00:00", "2001-3-1 9:0:0"},
      {"day 32 of December", "--date 2000-12-32 --time 9:00:00", "2001-1-1 9:0:0"},
      {"every time part one past its range", "--date 2000-12-31 --time 24:60:60", "2001-1-1 1:1:0"},
      {"month 0", "--date 2001-0-15 --time 9:00:00", "2000-12-15 9:0:0"},
      {"day 0", "--date 2004-3-0 --time 9:00:00", "2004-2-29 9:0:0"},
  };
  for (const Row& r : rows) {
    const CliRun run = runCli(r.args);
    EXPECT_EQ(run.status, 0) << r.name << ": " << run.err;
    EXPECT_EQ(shownInstant(run.out), r.shown) << r.name << ": " << r.args;
  }
  // The same instant typed in range gives the same result.
  EXPECT_EQ(runCli("--date 2001-02-29 --time 9:00:00").out,
            runCli("--date 2001-03-01 --time 9:00:00").out);
}

TEST(CliDates, ValueTooLargeToCarryIsRefused) {
  const CliRun r = runCli("--date 2001-3-1000000000");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("日には"), std::string::npos) << r.err;
}

// A date the Julian Day cannot be formed for: the results are printed (with
// the Julian Day of no date at all) and the exit status says so.
TEST(CliDates, DateBeforeTheCalendarIsPrintedAndFails) {
  const CliRun r = runCli("--date 1582-10-20 --time 12:00:00");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(line(r.out, "年"), "1582");
  EXPECT_EQ(line(r.out, "ユリウス日"), "");
  EXPECT_NE(r.err.find("日付が正しくありません"), std::string::npos) << r.err;
}

}  // namespace
