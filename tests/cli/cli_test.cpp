// Runs velmar-cli as a process, as the scripted checks do.
#include <algorithm>

#include "cli/cli_run.h"

namespace {

using namespace velmar::testing_cli;

TEST(Cli, PrintsTheExampleInstantByteForByte) {
  const CliRun r = runCli("--date 2001-03-09 --time 21:05:00 --dt 66 --lat 35.6544 --lon 139.7447");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, readFile(std::string(VELMAR_TEST_DATA) + "/cli_2001-03-09.txt"));
}

TEST(Cli, OptionsReachTheFields) {
  const CliRun r = runCli("--date 2001-03-09 --time 21:05:00 --auto-dt --reference 2451970.5 --easy");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(line(r.out, "△Ｔ"), "66");
  EXPECT_EQ(line(r.out, "基準日"), "2451970.5");
  EXPECT_EQ(line(r.out, "基準差"), " 7.504236110020");
  // Defaults: 35 N, 135 E and delta T from the year.
  const CliRun d = runCli("--date 2001-03-09 --time 21:05:00");
  EXPECT_EQ(line(d.out, "△Ｔ"), "67");
  EXPECT_NE(line(d.out, "月の方位"), line(r.out, "月の方位"));
}

TEST(Cli, DefaultIsThePresentMoment) {
  const CliRun r = runCli("");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(line(r.out, "ユリウス日"), "");
  EXPECT_EQ(std::stoi(line(r.out, "△Ｔ")), std::stoi(line(r.out, "年")) - 1934);
}

TEST(Cli, MalformedArgumentsFailWithNothingOnStdout) {
  for (const char* bad : {"--date 2001/03/09", "--date 2001-03", "--time 21:05", "--time a:b:c",
                          "--dt", "--dt abc", "--lat 91", "--lon 1e3", "--reference x",
                          "--bogus", "--date -1-2-3"}) {
    const CliRun r = runCli(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
    EXPECT_NE(r.err.find("velmar-cli:"), std::string::npos) << bad;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << bad;
  }
}

}  // namespace
