// Runs velmar-cli as a process, as the scripted checks do.
#include <algorithm>
#include <fstream>
#include <vector>

#include "cli/cli_run.h"

namespace {

using namespace velmar::testing_cli;

TEST(Cli, PrintsTheExampleInstantByteForByte) {
  const CliRun r = runCli("--date 2001-03-09 --time 21:05:00 --dt 66 --lat 35.6544 --lon 139.7447");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, readFile(std::string(VELMAR_TEST_DATA) + "/cli_2001-03-09.txt"));
}

TEST(Cli, OptionsReachTheFields) {
  const CliRun r =
      runCli("--date 2001-03-09 --time 21:05:00 --auto-dt --reference 2451970.5 --easy");
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

TEST(Cli, SearchesRunAfterTheFirstCalculation) {
  const std::string base = "--date 2001-03-09 --time 21:05:00 --dt 66 --lat 35.6544 --lon 139.7447";
  const CliRun r = runCli(base + " --search new");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(line(r.out, "年"), "2001");
  EXPECT_EQ(line(r.out, "月"), "2");
  EXPECT_EQ(line(r.out, "日"), "23");
  EXPECT_EQ(line(r.out, "時"), "17");
  EXPECT_EQ(line(r.out, "分"), "22");
  EXPECT_EQ(line(r.out, "秒"), "25");
  EXPECT_EQ(line(r.out, "月の輝面比"), " 0.000000000000");
  const CliRun age = runCli(base + " --search age --auto-rebase");
  ASSERT_EQ(age.status, 0) << age.err;
  EXPECT_EQ(line(age.out, "日"), "9");
  // 14 days 3 h 42 min 35 s after the new moon of 23 February.
  EXPECT_NEAR(std::stod(line(age.out, "基準差")), 14 + (3 + (42 + 35 / 60.0) / 60) / 24, 2e-5);
}

TEST(Cli, StepPrintsOneBlockPerCalculation) {
  const CliRun r = runCli("--date 2004-03-01 --time 12:00:00 --step day 1 --count 3 --past");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> blocks;
  size_t start = 0;
  for (size_t pos; (pos = r.out.find("\n\n", start)) != std::string::npos; start = pos + 2)
    blocks.push_back(r.out.substr(start, pos + 1 - start));
  blocks.push_back(r.out.substr(start));
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(line(blocks[0], "日"), "1");
  EXPECT_EQ(line(blocks[1], "月"), "2");
  EXPECT_EQ(line(blocks[1], "日"), "29");
  EXPECT_EQ(line(blocks[2], "日"), "28");
}

TEST(Cli, SiteComesFromTheSiteFile) {
  const std::string dir = ::testing::TempDir();
  const std::string file = dir + "cli_sites.dat";
  {
    std::ofstream f(file, std::ios::binary);
    f << "A, 35.6544 , 139.7447 , 40 \r\nB,43.06,141.35,20\r\n";
  }
  const std::string when = "--date 2001-03-09 --time 21:05:00 --dt 66 ";
  const CliRun first = runCli(when + "--sites " + file);
  const CliRun typed = runCli(when + "--lat 35.6544 --lon 139.7447");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, typed.out);
  const CliRun second = runCli(when + "--sites " + file + " --site 1");
  EXPECT_NE(line(second.out, "月の方位"), line(first.out, "月の方位"));
  EXPECT_EQ(line(second.out, "月の黄経"), line(first.out, "月の黄経"));
  const CliRun beyond = runCli(when + "--sites " + file + " --site 2");
  EXPECT_EQ(beyond.status, 2);
  EXPECT_EQ(beyond.out, "");
}

TEST(Cli, MalformedArgumentsFailWithNothingOnStdout) {
  for (const char* bad : {"--search sideways", "--step week 1", "--step day x", "--count -1",
                          "--count 2.5", "--site -1", "--site 1.5", "--past", "--date 2001/03/09",
                          "--date 2001-03", "--time 21:05", "--time a:b:c", "--dt", "--dt abc",
                          "--lat 91", "--lon 1e3", "--reference x", "--bogus", "--date -1-2-3",
                          // Beyond any whole number a program can hold.
                          "--site 99999999999999999999", "--site -99999999999999999999",
                          "--count 99999999999999999999",
                          // An empty word must not end the arguments unnoticed.
                          "--date 2001-03-09 '' --time 21:05:00", "--past ''"}) {
    const CliRun r = runCli(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
    EXPECT_NE(r.err.find("velmar-cli:"), std::string::npos) << bad;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << bad;
  }
}

TEST(Cli, NumbersTheFieldsCannotHoldAreRefused) {
  // A field would show these with an exponent ("1E+15"), which reads as 1.
  for (const char* arg :
       {"--dt 1000000000000000", "--dt -1000000000000000", "--dt 999999999999999.5", "--dt 0.00001",
        "--step day 1000000000000000 --count 2", "--step second -0.00001"}) {
    const std::string name = std::string(arg).substr(0, std::string(arg).find(' '));
    const CliRun r = runCli(std::string(arg) + " --date 2001-1-1 --time 0:0:0");
    EXPECT_EQ(r.status, 1) << arg;
    EXPECT_EQ(r.out, "") << arg;
    EXPECT_NE(r.err.find("velmar-cli: " + name), std::string::npos) << arg << ": " << r.err;
    EXPECT_NE(r.err.find("999999999999999 以下"), std::string::npos) << arg << ": " << r.err;
  }
  // The largest and smallest that the fields hold, and zero.
  EXPECT_EQ(line(runCli("--dt 999999999999999").out, "△Ｔ"), "999999999999999");
  EXPECT_EQ(line(runCli("--dt -0.0001").out, "△Ｔ"), "0");
  const CliRun tiny = runCli("--date 2001-1-1 --time 0:0:0 --step second 0.0001 --count 2");
  EXPECT_EQ(tiny.status, 0) << tiny.err;
}

TEST(Cli, FailedWriteToStdoutFails) {
  for (const char* args : {"--date 2001-03-09 --time 21:05:00", "--help",
                           "--date 2001-03-09 --time 21:05:00 --step day 1 --count 500"}) {
    const CliRun r = runCli(std::string(args) + " >/dev/full");
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_NE(r.err.find("標準出力"), std::string::npos) << args << ": " << r.err;
  }
}

// Each was once taken without a word: a year 0 as "no year", a delta T
// that stalls the almanac for hours, an export name that got ".csv" added,
// options that the run ignored or overrode.
TEST(Cli, RequestsTheRunWouldIgnoreOrCannotMeetAreRefused) {
  const struct {
    const char* args;
    const char* why;
  } rows[] = {
      {"--almanac 0000-01", "1583 年から 2999 年"},
      {"--events 0", "1583 年から 2999 年"},
      {"--koyomi 3000", "1583 年から 2999 年"},
      {"--koyomi 2024 --dt 86401", "-86400 から 86400 秒"},
      {"--koyomi 2024 --count 3", "--count (--almanac"},
      {"--events 2000 --dt 999999999999999", "-86400 から 86400 秒"},
      {"--almanac 2024-01 --dt -86401", "-86400 から 86400 秒"},
      {"--date 2001-03-09 --topocentric --dt 1000000", "-86400 から 86400 秒"},
      {"--export data", ".csv か .tsv"},
      {"--export data.txt", ".csv か .tsv"},
      {"--graph-axes --svg sky=s.svg", "--svg graph="},
      {"--topocentric --almanac 2024-01", "--topocentric (--almanac"},
      {"--events 2000 --count 3", "--count (--almanac"},
      {"--events 2000 --events 2001", "2 回"},
      {"--dt 60 --dt 70", "2 回"},
      {"--solar-eclipses 2030 2020", "始めの年が終わりの年より後"},
      {"--solar-eclipses 2030", "--solar-eclipses 2030"},
      {"--solar-eclipses 2030 --site 0", "--solar-eclipses 2030 --site"},
      {"--solar-eclipses 2030 2031 --dt 86401", "-86400 から 86400 秒"},
      {"--solar-eclipses 2030 2031 --count 3", "--count (--almanac"},
      {"--step day 1 --count 200000 --table t.txt", "100000 まで"},
  };
  for (const auto& row : rows) {
    const CliRun r = runCli(row.args);
    EXPECT_EQ(r.status, 2) << row.args;
    EXPECT_EQ(r.out, "") << row.args;
    EXPECT_EQ(r.err.rfind("velmar-cli: ", 0), 0u) << row.args << ": " << r.err;
    EXPECT_NE(r.err.find(row.why), std::string::npos) << row.args << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << row.args << ": " << r.err;
  }
  // Within the bound the almanac still answers.
  EXPECT_EQ(runCli("--events 2000 --dt 86400").status, 0);
}

// An argument of 100 000 bytes, or one holding a line break or a control
// character, was echoed whole into the message.
TEST(Cli, AnEchoedArgumentIsCutAndEscaped) {
  const CliRun longOne = runCli("--bogus" + std::string(100000, 'x'));
  EXPECT_EQ(longOne.status, 2);
  EXPECT_LT(longOne.err.size(), 400u) << longOne.err.size();
  EXPECT_NE(longOne.err.find("xxx…"), std::string::npos) << longOne.err;
  const CliRun broken = runCli("--date \"$(printf '2001\\n\\033[2J-01-01')\"");
  EXPECT_EQ(broken.status, 2);
  EXPECT_NE(broken.err.find("2001\\n\\x1B[2J-01-01"), std::string::npos) << broken.err;
  EXPECT_EQ(std::count(broken.err.begin(), broken.err.end(), '\n'), 1) << broken.err;
}

TEST(Cli, VersionAndHelpTogetherPrintTheFirstAsked) {
  const CliRun versionFirst = runCli("--version --help");
  EXPECT_EQ(versionFirst.status, 0);
  EXPECT_EQ(versionFirst.out, runCli("--version").out);
  EXPECT_EQ(runCli("--help --version").out, runCli("--help").out);
}

}  // namespace
