// velmar-cli given site files that are not plain files.
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

}  // namespace
