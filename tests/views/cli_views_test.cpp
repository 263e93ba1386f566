// velmar-cli's pictures of the five views, byte for byte, and its view
// switches.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/cli_run.h"

namespace velmar {
namespace {

using testing_cli::readFile;
using testing_cli::runCli;

constexpr const char* kViewNames[] = {"face", "orbit", "sky", "shadow", "sun"};

std::string tempPrefix() {
  return ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// The count of an element in a picture.
int count(const std::string& svg, const std::string& what) {
  int n = 0;
  for (size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) ++n;
  return n;
}

// The total solar eclipse of 2009-07-22 from Tokyo, three calculations ten
// minutes apart, the sky view leaving its trail: every view in its default
// size, as a first start opens it.
TEST(CliViews, EveryViewMatchesItsGoldenPicture) {
  const std::string prefix = tempPrefix();
  std::string args =
      "--date 2009-07-22 --time 11:35:00 --dt 66 --lat 35.6544 --lon 139.7447 "
      "--step minute 10 --count 3 --trail";
  for (const char* v : kViewNames) args += std::string(" --svg ") + v + "=" + prefix + "_" + v;
  const auto r = runCli(args);
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* v : kViewNames) {
    const std::string path = prefix + "_" + v;
    EXPECT_EQ(readFile(path),
              readFile(std::string(VELMAR_TEST_DATA) + "/views_2009-07-22_" + v + ".svg"))
        << v;
    std::remove(path.c_str());
  }
}

TEST(CliViews, SwitchesAreStatesSetBeforeTheFirstCalculation) {
  const std::string prefix = tempPrefix();
  const auto r = runCli(
      "--date 2000-01-21 --time 13:44:00 --dt 64 --no-orbits --big sky,sun,shadow "
      "--svg face=" +
      prefix + "_face --svg orbit=" + prefix + "_orbit" + " --svg sky=" + prefix +
      "_sky --view-size sky=3000x1000");
  ASSERT_EQ(r.status, 0) << r.err;
  // No click action ran: one calculation drew the face once over its
  // cleared background.
  const std::string face = readFile(prefix + "_face");
  EXPECT_EQ(count(face, "<rect"), 1);
  EXPECT_EQ(count(face, "<circle"), 1);
  // The orbit view without its orbits: the Sun, the Earth, the Moon.
  EXPECT_EQ(count(readFile(prefix + "_orbit"), "fill=\"none\""), 0);
  // The enlarged sky: dots of 2 % of the shorter side, in the size asked for.
  const std::string sky = readFile(prefix + "_sky");
  EXPECT_NE(sky.find("viewBox=\"0 0 3000 1000\""), std::string::npos);
  EXPECT_EQ(count(sky, "r=\"20\""), 2);
  for (const char* v : {"face", "orbit", "sky"}) std::remove((prefix + "_" + v).c_str());
}

TEST(CliViews, MalformedSwitchesFail) {
  for (const char* bad : {"--big", "--big moon", "--big sky,", "--big ,sun", "--big sky,,sun"}) {
    const auto r = runCli(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
  }
}

}  // namespace
}  // namespace velmar
