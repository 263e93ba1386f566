// velmar-cli's outputs: the loop count, the table listing, the graph and the
// export file, compared with the files kept in tests/data.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_run.h"
#include "config/temp_folder.h"

namespace {

using namespace velmar::testing_cli;
using velmar::testing::TempFolder;

const std::string kExample =
    "--date 2001-03-09 --time 21:05:00 --dt 66 --lat 35.6544 --lon 139.7447";

std::string golden(const std::string& name) {
  return readFile(std::string(VELMAR_TEST_DATA) + "/" + name);
}

int blocks(const std::string& out) {
  if (out.empty()) return 0;
  int n = 1;
  for (size_t p = 0; (p = out.find("\n\n", p)) != std::string::npos; p += 2) ++n;
  return n;
}

int crlfLines(const std::string& bytes) {
  int n = 0;
  for (size_t p = 0; (p = bytes.find("\r\n", p)) != std::string::npos; p += 2) ++n;
  return n;
}

TEST(CliOutputs, TwelveStepRunMatchesTheKeptFilesByteForByte) {
  TempFolder dir;
  const std::string run = kExample + " --count 12 --step hour 6";
  const CliRun all = runCli(run + " --export " + dir / "run.csv" + " --table " + dir / "list.txt" +
                            " --graph --svg graph=" + dir / "graph.svg");
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(blocks(all.out), 12);
  EXPECT_EQ(readFile(dir / "run.csv"), golden("export_12_steps.csv"));
  EXPECT_EQ(readFile(dir / "list.txt"), golden("listing_12_steps.txt"));
  EXPECT_EQ(readFile(dir / "graph.svg"), golden("graph_12_steps.svg"));
  const CliRun tabs = runCli(run + " --export " + dir / "run.tsv");
  ASSERT_EQ(tabs.status, 0) << tabs.err;
  EXPECT_EQ(readFile(dir / "run.tsv"), golden("export_12_steps.tsv"));
  EXPECT_EQ(tabs.out, all.out);
}

// The scales and dates lie over the drawing: the file is the plain one with
// the overlay's elements before its end.
TEST(CliOutputs, GraphAxesAddTheOverlayAndLeaveTheDrawingAsItIs) {
  TempFolder dir;
  const CliRun r =
      runCli(kExample + " --count 12 --step hour 6 --graph --svg graph=" + dir / "graph.svg" +
             " --graph-axes");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string axes = readFile(dir / "graph.svg");
  EXPECT_EQ(axes, golden("graph_12_steps_axes.svg"));
  const std::string plain = golden("graph_12_steps.svg");
  const std::string tail = "</svg>\n";
  ASSERT_GT(axes.size(), plain.size());
  EXPECT_EQ(axes.substr(0, plain.size() - tail.size()),
            plain.substr(0, plain.size() - tail.size()));
  // The one red line of twelve points carries its date and time.
  EXPECT_NE(axes.find(">2001/03/12</text>"), std::string::npos);
  EXPECT_NE(axes.find(">03:05</text>"), std::string::npos);
}

TEST(CliOutputs, TheLoopCountDecidesHowManyCalculationsRun) {
  TempFolder dir;
  // The export ends the run: version line, header and 30 data lines.
  const CliRun thirty =
      runCli(kExample + " --export " + dir / "out.csv" + " --count 30 --step day 1");
  ASSERT_EQ(thirty.status, 0) << thirty.err;
  EXPECT_EQ(crlfLines(readFile(dir / "out.csv")), 32);
  EXPECT_EQ(blocks(thirty.out), 30);
  EXPECT_EQ(line(thirty.out.substr(thirty.out.rfind("\n\n") + 2), "日"), "7");  // 9 March + 29 days

  // The field's rule: 1 reads 2. Its default of a first start is 10.
  EXPECT_EQ(blocks(runCli(kExample + " --count 1 --step day 1").out), 2);
  EXPECT_EQ(blocks(runCli(kExample + " --step day 1").out), 10);
  EXPECT_EQ(blocks(runCli(kExample + " --count 5").out), 1);  // nothing runs the loop
  // Choosing the export file starts the loop by itself, day by day.
  const CliRun exported = runCli(kExample + " --export " + dir / "days.csv" + " --count 4");
  EXPECT_EQ(blocks(exported.out), 4);
  EXPECT_EQ(crlfLines(readFile(dir / "days.csv")), 6);
  // The table and the graph alone end the run as well; the graph draws the
  // series asked for, the Moon's distance here, and the grid.
  const CliRun table = runCli(kExample + " --count 3 --step day 1 --table " + dir / "t.txt" +
                              " --graph --graph-series 0100 --svg graph=" + dir / "g.svg");
  EXPECT_EQ(blocks(table.out), 3);
  const std::string listing = readFile(dir / "t.txt");
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4);
  const std::string svg = readFile(dir / "g.svg");
  EXPECT_EQ(std::count(svg.begin(), svg.end(), '\n'), 4 + 3 * 2);
  EXPECT_NE(svg.find("#0000ff"), std::string::npos);
  EXPECT_EQ(svg.find("#008000"), std::string::npos);
}

TEST(CliOutputs, AFileThatCannotBeWrittenFailsTheRunButNotTheOtherOutputs) {
  TempFolder dir;
  const std::string missing = dir / "missing/x.csv";
  const CliRun r = runCli(kExample + " --count 3 --step day 1 --export " + missing + " --table " +
                          dir / "t.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
  EXPECT_EQ(blocks(r.out), 3);  // the table goes on recording
  const std::string listing = readFile(dir / "t.txt");
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4);
  const CliRun t = runCli(kExample + " --count 3 --step day 1 --table " + dir / "missing/t.txt" +
                          " --export " + dir / "ok.csv");
  EXPECT_EQ(t.status, 1);
  EXPECT_NE(t.err.find("missing/t.txt"), std::string::npos) << t.err;
  EXPECT_EQ(crlfLines(readFile(dir / "ok.csv")), 5);
}

TEST(CliOutputs, MalformedOutputOptionsFailWithNothingOnStdout) {
  for (const char* bad :
       {"--graph-series 111", "--graph-series 1121", "--export", "--table", "--count"}) {
    const CliRun r = runCli(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
  }
}

}  // namespace
