// velmar-cli's files: site files it cannot read, outputs that cannot be
// written, and the options it describes.
#include <sys/file.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <set>

#include "cli/cli_args.h"
#include "cli/cli_run.h"
#include "config/temp_folder.h"

namespace {

using namespace velmar::testing_cli;

// A site file the user named stands for the site they want: using the
// shipped list instead would print another site's results as theirs.
TEST(CliFiles, NamedSiteFileThatCannotBeReadFailsTheRun) {
  velmar::testing::TempFolder dir;
  velmar::testing::FifoReleaser fifo(dir / "sokuti.dat");
  const std::string folder = dir / "folder";
  ::mkdir(folder.c_str(), 0700);
  const std::string when = "--date 2001-03-09 --time 21:05:00 --dt 66 ";
  const std::pair<std::string, std::string> cases[] = {
      {fifo.path(), "は通常のファイルではない"},
      {dir / "none.dat", "が見つかりません"},
      {folder, "を読み込めません"},
  };
  for (const auto& [file, why] : cases) {
    const CliRun r = runCli(when + "--sites " + file);
    EXPECT_EQ(r.status, 2) << file;
    EXPECT_EQ(r.out, "") << file;
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("初期の測地一覧"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  // Without --sites a missing sokuti.dat in the working folder still means
  // the shipped list.
  EXPECT_EQ(runCli(when, dir / "folder").status, 0);
}

// The date fields once kept the four-year rule alone: 2100 had a 29
// February that the Julian Day formula read as 1 March, so a day step wrote
// the same instant twice under two dates. The centuries that do not divide
// by 400 are common years.
TEST(CliFiles, ACenturyThatIsNoLeapYearHasNo29February) {
  velmar::testing::TempFolder dir;
  const CliRun r = runCli(
      "--date 2100-02-28 --time 12:00:00 --step day 1 --count 3 --export x.csv", dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string lines = velmar::testing::readBytes(dir / "x.csv");
  std::vector<std::string> dates;
  for (size_t at = 0; (at = lines.find("\n2", at)) != std::string::npos; ++at)
    dates.push_back(lines.substr(at + 1, lines.find(',', at) - at - 1));
  EXPECT_EQ(dates, (std::vector<std::string>{"2100/2/28", "2100/3/1", "2100/3/2"}));
  for (const char* day : {"1900-02-29", "2100-02-29"}) {
    const CliRun d = runCli(std::string("--date ") + day + " --time 12:00:00");
    EXPECT_EQ(d.out.substr(0, d.out.find("\n時")), std::string("年\t") + day[0] + day[1] + day[2] +
                                                      day[3] + "\n月\t3\n日\t1")
        << day;
  }
  const CliRun leap = runCli("--date 2000-02-29 --time 12:00:00");
  EXPECT_EQ(leap.out.substr(0, leap.out.find("\n時")), "年\t2000\n月\t2\n日\t29");
}

// The usage, the parser and the manual page describe the same options.
TEST(CliFiles, UsageAndManualPageListEveryOption) {
  const CliRun help = runCli("--help");
  ASSERT_EQ(help.status, 0) << help.err;
  std::set<std::string> table;
  for (const velmar::cli::OptionInfo& o : velmar::cli::options()) {
    table.insert(o.name);
    const std::string left = std::string("  ") + o.name + (*o.argument ? " " : "") + o.argument;
    EXPECT_NE(help.out.find("\n" + left + " "), std::string::npos) << o.name;
  }
  EXPECT_EQ(std::count(help.out.begin(), help.out.end(), '\n'),
            static_cast<long>(table.size()) + 4);

  std::ifstream man(std::string(VELMAR_SOURCE_DIR) + "/docs/velmar-cli.1");
  std::stringstream text;
  text << man.rdbuf();
  const std::string page = text.str();
  const size_t from = page.find(".SH OPTIONS"), to = page.find(".SH EXIT STATUS");
  ASSERT_TRUE(from != std::string::npos && to != std::string::npos);
  const std::string section = page.substr(from, to - from);
  std::set<std::string> described;
  // Roff writes "--name-part" as \-\-name\-part.
  for (size_t at = section.find("\\-\\-"); at != std::string::npos;
       at = section.find("\\-\\-", at + 1)) {
    std::string option = "--";
    for (size_t i = at + 4; i < section.size();) {
      if (section[i] >= 'a' && section[i] <= 'z') {
        option += section[i++];
      } else if (section.compare(i, 2, "\\-") == 0 && i + 2 < section.size() &&
                 section[i + 2] >= 'a' && section[i + 2] <= 'z') {
        option += '-';
        i += 2;
      } else {
        break;
      }
    }
    if (option.size() > 2) described.insert(option);
  }
  EXPECT_EQ(described, table);

  const CliRun version = runCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("velmar-cli ") + VELMAR_VERSION + "\n");
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
    const size_t at = r.err.find(std::string("「") + name + "」");
    ASSERT_NE(at, std::string::npos) << r.err;
    // The pictures fail in their scratch file: the old file was kept all the
    // same, and each message says so.
    const std::string message = r.err.substr(at, r.err.find('\n', at) - at);
    EXPECT_NE(message.find("元のファイルは変更されていません"), std::string::npos) << message;
  }
  EXPECT_EQ(dir.entries(), 3) << "a temporary file was left";
}

// Under "ulimit -f" the signal SIGXFSZ once ended the run (status 153, no
// message), leaving a temporary file beside the listing and a cut-off export.
TEST(CliFiles, AFileSizeLimitFailsTheWriteInsteadOfEndingTheRun) {
  velmar::testing::TempFolder dir;
  // As a shell would start it: SIGXFSZ not ignored.
  std::signal(SIGXFSZ, SIG_DFL);
  const CliRun r = runCli(
      "--date 2001-03-09 --time 21:05:00 --dt 66 --step day 1 --count 100 --table t.txt "
      "--export e.csv",
      dir.path(), "ulimit -f 4; ");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("「t.txt」を保存できませんでした。 ファイルが大きすぎます"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("「e.csv」に書き込めませんでした"), std::string::npos) << r.err;
  const std::string exported = velmar::testing::readBytes(dir / "e.csv");
  EXPECT_GT(exported.size(), 1000u);
  EXPECT_EQ(exported.substr(exported.size() - 2), "\r\n") << "the export ends inside a line";
  EXPECT_EQ(dir.entries(), 1) << "a temporary file was left";
}

// Two runs exporting into one file both ended with status 0, their lines
// spliced. The lock another writer holds stands for the other run.
TEST(CliFiles, ASecondWriterOfTheExportFileIsRefused) {
  velmar::testing::TempFolder dir;
  const std::string path = dir / "shared.csv";
  velmar::testing::writeBytes(path, "first run\r\n");
  const int held = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  const CliRun r = runCli("--date 2001-03-09 --time 21:05:00 --dt 66 --count 3 --export " + path);
  ::close(held);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.err.rfind("velmar-cli: 「" + path + "」には別のプログラムが書き込み中", 0), 0u)
      << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(velmar::testing::readBytes(path), "first run\r\n");
  // Once the lock is gone the file is the run's.
  EXPECT_EQ(runCli("--date 2001-03-09 --time 21:05:00 --dt 66 --count 3 --export " + path).status,
            0);
}

// A site file written by hand may hold any number; --lat 91 was refused
// while a latitude of 999 from the file was used. A named file without a
// site stood for the shipped list.
TEST(CliFiles, ASiteFileWithoutAUsableSiteIsRefused) {
  velmar::testing::TempFolder dir;
  const struct {
    const char* bytes;
    const char* args;
    const char* why;
  } rows[] = {
      {"A,35,139,0\r\nB,999,139,0\r\n", "--site 1", "2 行目の測地「B」は緯度が -90 から 90"},
      {"A,-91,139,0\r\n", "--almanac 2024-01", "1 行目の測地「A」は緯度"},
      {"\r\nA,35,1e308,0\r\n", "--topocentric", "2 行目の測地「A」は経度が -180 から 360"},
      {"A,35,-181,0\r\n", "--events 2024", "経度"},
      {"", "", "測地として読める行がありません"},
      {"\r\n  \r\n", "--almanac 2024-01", "測地として読める行がありません"},
  };
  for (const auto& row : rows) {
    velmar::testing::writeBytes(dir / "sites.dat", row.bytes);
    const CliRun r = runCli("--dt 66 --sites " + (dir / "sites.dat") + " " + row.args);
    EXPECT_EQ(r.status, 2) << row.bytes;
    EXPECT_EQ(r.out, "") << row.bytes;
    EXPECT_NE(r.err.find(row.why), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  // Coordinates typed over the file's are the ones used.
  velmar::testing::writeBytes(dir / "sites.dat", "B,999,139,0\r\n");
  EXPECT_EQ(runCli("--sites " + (dir / "sites.dat") + " --lat 35").status, 0);
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
