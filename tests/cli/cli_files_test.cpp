// velmar-cli's files: site files that are not plain files, and outputs
// that cannot be written.
#include "cli/cli_run.h"
#include "config/temp_folder.h"

namespace {

using namespace velmar::testing_cli;

TEST(CliFiles, SiteFileThatIsAFifoIsRefusedAndTheShippedListUsed) {
  velmar::testing::TempFolder dir;
  velmar::testing::FifoReleaser fifo(dir / "sokuti.dat");
  const std::string when = "--date 2001-03-09 --time 21:05:00 --dt 66 ";
  const CliRun r = runCli(when + "--sites " + fifo.path());
  const CliRun shipped = runCli(when + "--sites " + dir / "none.dat");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, shipped.out);
  EXPECT_NE(r.err.find("「" + fifo.path() + "」は通常のファイルではない"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("初期の測地一覧"), std::string::npos) << r.err;
}

// A full disk (here a file size limit, which the child inherits) once left
// a cut-off listing and picture in place of the old ones.
TEST(CliFiles, AFailedTableOrPictureLeavesTheOldFile) {
  velmar::testing::TempFolder dir;
  for (const char* name : {"table.txt", "sky.svg", "graph.svg"})
    velmar::testing::writeBytes(dir / name, "old\n");
  CliRun r;
  {
    velmar::testing::FileSizeLimit limit(3000);
    r = runCli("--date 2001-03-09 --time 21:05:00 --dt 66 --step day 1 --count 60 --graph --trail"
               " --table table.txt --svg sky=sky.svg --svg graph=graph.svg",
               dir.path());
  }
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("ファイルが大きすぎます"), std::string::npos) << r.err;
  for (const char* name : {"table.txt", "sky.svg", "graph.svg"}) {
    EXPECT_EQ(velmar::testing::readBytes(dir / name), "old\n") << name;
    EXPECT_NE(r.err.find(std::string("「") + name + "」"), std::string::npos) << r.err;
  }
  EXPECT_EQ(dir.entries(), 3) << "a temporary file was left";
}

// Each refused without waiting on the FIFO, and with exit status 1.
TEST(CliFiles, EveryOutputRefusesAFifo) {
  velmar::testing::TempFolder dir;
  velmar::testing::FifoReleaser fifo(dir / "pipe.csv");
  const std::string when = "--date 2001-03-09 --time 21:05:00 --dt 66 ";
  for (const std::string option : {"--export ", "--table ", "--svg sky="}) {
    const CliRun r = runCli(when + "--step day 1 --count 3 " + option + fifo.path());
    EXPECT_EQ(r.status, 1) << option << r.err;
    EXPECT_NE(r.err.find("通常のファイルではない"), std::string::npos) << option << r.err;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo.path()));
}

TEST(CliFiles, AFailedSearchEndsWithStatusOne) {
  const CliRun failed = runCli("--date 1583-01-20 --time 15:06:00 --dt 0 --search new");
  EXPECT_EQ(failed.status, 1) << failed.err;
  EXPECT_NE(failed.err.find("検索できませんでした"), std::string::npos) << failed.err;
  EXPECT_EQ(line(failed.out, "年"), line(runCli("--date 1583-01-20 --time 15:06:00 --dt 0").out, "年"));
}

}  // namespace
