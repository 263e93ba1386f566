// The export file: its lines, its switching, its end, and files that fail.
#include "output/export_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/failing_layer.h"
#include "config/file_writer.h"
#include "config/temp_folder.h"
#include "config/text_file.h"
#include "output/output_fixture.h"

namespace velmar {
namespace {

using testing::FileSizeLimit;
using testing::readBytes;
using testing::TempFolder;
using testing_output::OutputTest;

std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(*fromCp932(bytes.substr(start, end - start)));
  EXPECT_EQ(start, bytes.size()) << "the file ends inside a line";
  return lines;
}

class ExportTest : public OutputTest {
 protected:
  TempFolder dir;
  ExportFile& file = outputs.file();

  void choose(const std::string& path, int filter = 0) {
    main.headlessWindows()->nextFile = FileChoice{path, filter};
    main.run("exportFileButton");
  }
};

TEST_F(ExportTest, ChoosingAFileWritesTheLoopCountOfLinesAndEndsTheRun) {
  choose(dir / "run.csv");
  EXPECT_EQ(file.fileName(), dir / "run.csv");
  EXPECT_EQ(form.check(Check::FileOutput), 1);
  EXPECT_GT(timer.interval(), 0);  // started by the choice
  EXPECT_EQ(runLoop(), 9);
  EXPECT_EQ(form.check(Check::FileOutput), 0);
  EXPECT_FALSE(file.isOpen());
  const std::vector<std::string> lines = linesOf(readBytes(dir / "run.csv"));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "Velmar  Ver 2.80a");
  EXPECT_EQ(lines[1],
            "算出日,時分秒,太陽黄経,太陽地心,月の黄経,月の黄緯,月の地心,月の位相,月輝面比,月齢,"
            "月の赤経,月の赤緯,月の方位,月の高度");
  EXPECT_EQ(lines[2],
            "2001/3/9,21:5:0,348.991429697052,0.992959103950,165.891877524386,4.491892899764,"
            "360909.727553,176.900447827335,0.999268546490,,11.251586525515,9.704040007739,"
            "115.077644764935,44.992504215675");
  EXPECT_EQ(lines[11].substr(0, 16), "2001/3/18,21:5:0");

  // Ticking it again starts the file anew.
  main.run("fileOutputCheck");
  EXPECT_EQ(linesOf(readBytes(dir / "run.csv")).size(), 3u);
  EXPECT_EQ(file.counter(), 1);
}

TEST_F(ExportTest, SignedFieldsAndSeparators) {
  testing_instant::enterInstant(form, "2001", "5", "5", "7", "0", "0");
  form.setText(Field::MoonAge, " 7.504236110020");
  astro::Calculation c = main.calculator().result();
  c.moonLatitude.shown = -0.5;
  c.declination.shown = -12.34;
  c.altitude.shown = 5;
  std::string csv, tsv;
  exportLine(csv, form, c, ',');
  exportLine(tsv, form, c, '\t');
  EXPECT_EQ(csv,
            "2001/5/5,7:0:0,348.991429697052,0.992959103950,165.891877524386,-.5,360909.727553,"
            "176.900447827335,0.999268546490,7.504236110020,11.251586525515,-12.34,"
            "115.077644764935,5");
  std::string commas = tsv;
  for (char& c : commas)
    if (c == '\t') c = ',';
  EXPECT_EQ(commas, csv);
  EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\t'), 13);
}

TEST_F(ExportTest, TheTypeComesFromTheNameOrElseFromThePickedFilter) {
  struct Row {
    const char* path;
    int filter;
    const char* expected;
    ExportType type;
  } rows[] = {
      {"a.csv", 1, "a.csv", ExportType::Csv},     {"a.tsv", 0, "a.tsv", ExportType::Tsv},
      {"data", 0, "data.csv", ExportType::Csv},   {"data", 1, "data.tsv", ExportType::Tsv},
      {"a.CSV", 0, "a.CSV", ExportType::Csv},     {"a.CSV", 1, "a.CSV", ExportType::Csv},  
      {"a.txt", 1, "a.txt.tsv", ExportType::Tsv}, {"xcsv", 1, "xcsv", ExportType::Csv},
  };
  for (const Row& r : rows) {
    const ExportTarget t = exportTarget({r.path, r.filter});
    EXPECT_EQ(t.path, r.expected) << r.path << " " << r.filter;
    EXPECT_EQ(t.type, r.type) << r.path << " " << r.filter;
  }
  // A tab-separated file has 13 tabs in its header and every line.
  choose(dir / "tabs", 1);
  runLoop(3);
  main.run("fileOutputCheck");  // off: closed
  const std::vector<std::string> lines = linesOf(readBytes(dir / "tabs.tsv"));
  ASSERT_EQ(lines.size(), 6u);
  for (size_t i = 1; i < lines.size(); ++i)
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 13) << lines[i];
}

TEST_F(ExportTest, AFileThatCannotBeMadeIsToldOnceAndNothingStarts) {
  const std::string path = dir / "no such folder/x.csv";
  choose(path);
  EXPECT_EQ(ui.messages, 1);
  EXPECT_NE(ui.lastText.find(path), std::string::npos) << ui.lastText;
  EXPECT_NE(ui.lastText.find("保存先のフォルダーがありません"), std::string::npos) << ui.lastText;
  EXPECT_EQ(form.check(Check::FileOutput), 0);
  EXPECT_EQ(timer.interval(), 0);
  EXPECT_EQ(file.failures(), 1);
  // The program goes on: the table still records.
  main.run("tableOutputCheck");
  EXPECT_EQ(outputs.table().rows().size(), 1u);
}

// The size limit fails a write as a full disk would, with its own reason.
TEST_F(ExportTest, AFullDiskKeepsTheWholeLinesWrittenAndEndsTheRun) {
  const std::string path = dir / "full.csv";
  {
    FileSizeLimit limit(800);
    choose(path);
    runLoop();
  }
  EXPECT_EQ(ui.messages, 1);
  EXPECT_NE(ui.lastText.find("ファイルが大きすぎます"), std::string::npos) << ui.lastText;
  EXPECT_NE(ui.lastText.find("書き込んだ行はファイルに残っています"), std::string::npos);
  EXPECT_EQ(form.check(Check::FileOutput), 0);
  EXPECT_EQ(timer.interval(), 0);  // it was the only output
  const std::string bytes = readBytes(path);
  EXPECT_LE(bytes.size(), 800u);
  const std::vector<std::string> lines = linesOf(bytes);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[2].substr(0, 15), "2001/3/9,21:5:0");
}

// A FIFO once held the whole window until something read it; a read-only
// file was emptied when run as root.
TEST_F(ExportTest, AFifoOrAReadOnlyFileIsRefusedWithoutWaiting) {
  testing::FifoReleaser fifo(dir / "pipe.csv");
  testing::writeBytes(dir / "kept.csv", "mine\r\n");
  chmod((dir / "kept.csv").c_str(), 0444);
  std::filesystem::create_symlink("pipe.csv", dir / "link.csv");
  for (const std::string name : {"pipe.csv", "link.csv", "kept.csv"}) {
    const int before = ui.messages;
    choose(dir / name);
    EXPECT_EQ(ui.messages, before + 1) << name;
    EXPECT_NE(ui.lastText.find(dir / name), std::string::npos) << ui.lastText;
    EXPECT_EQ(form.check(Check::FileOutput), 0) << name;
    EXPECT_EQ(timer.interval(), 0) << name;
  }
  EXPECT_NE(ui.lastText.find("書き換えが許可されていない"), std::string::npos) << ui.lastText;
  EXPECT_EQ(readBytes(dir / "kept.csv"), "mine\r\n");
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.csv"));
}

// Lines written after the file was deleted would go nowhere.
TEST_F(ExportTest, AFileDeletedDuringARunIsToldOnceAndFileOutputGoesOff) {
  choose(dir / "gone.csv");
  main.timerFired();
  ASSERT_EQ(ui.messages, 0);
  std::filesystem::remove(dir / "gone.csv");
  runLoop();
  EXPECT_EQ(ui.messages, 1);
  EXPECT_NE(ui.lastText.find("削除"), std::string::npos) << ui.lastText;
  // Its lines went with it.
  EXPECT_EQ(ui.lastText.find("残っています"), std::string::npos) << ui.lastText;
  EXPECT_EQ(form.check(Check::FileOutput), 0);
  EXPECT_EQ(timer.interval(), 0);
  EXPECT_EQ(file.failures(), 1);
}

// The dialog asked about the name it returned; the extension added after
// it makes another name, which is asked about before it is replaced.
TEST_F(ExportTest, AnExistingFileOfTheExtendedNameIsReplacedOnlyWhenTheUserAgrees) {
  testing::writeBytes(dir / "report.tsv", "mine\r\n");
  ui.answer = false;
  choose(dir / "report", 1);
  EXPECT_EQ(ui.questions, 1);
  EXPECT_NE(ui.lastText.find(dir / "report.tsv"), std::string::npos) << ui.lastText;
  EXPECT_EQ(form.check(Check::FileOutput), 0);
  EXPECT_EQ(readBytes(dir / "report.tsv"), "mine\r\n");
  ui.answer = true;
  choose(dir / "report", 1);
  EXPECT_EQ(form.check(Check::FileOutput), 1);
  EXPECT_EQ(file.fileName(), dir / "report.tsv");
  // A name the dialog itself returned is not asked about again.
  choose(dir / "report.tsv", 0);
  EXPECT_EQ(ui.questions, 2);
}

// A file emptied by someone else during a run (a rotated log, "> file")
// got megabytes of NUL bytes in front of the next line.
TEST_F(ExportTest, AFileEmptiedDuringARunGoesOnWithoutAHole) {
  const std::string path = dir / "rotated.csv";
  choose(path);
  main.timerFired();
  main.timerFired();
  ASSERT_EQ(::truncate(path.c_str(), 0), 0);
  runLoop();
  EXPECT_EQ(ui.messages, 0) << ui.lastText;
  const std::string bytes = readBytes(path);
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
  const std::vector<std::string> lines = linesOf(bytes);
  ASSERT_EQ(lines.size(), 7u);  // 12 lines less the 5 emptied
  EXPECT_EQ(lines[0].substr(0, 16), "2001/3/12,21:5:0");
}

// A failing device shows when the file is synced and closed; both once
// ended the run as if all had been written.
TEST_F(ExportTest, AFailedSyncOrCloseIsAFailedWrite) {
  for (const bool atClose : {false, true}) {
    testing::FailingLayer layer(size_t{1} << 40, EIO, !atClose, atClose);
    const int before = ui.messages;
    {
      ScopedFileLayer scoped(layer);
      choose(dir / "synced.csv");
      runLoop();
    }
    EXPECT_EQ(ui.messages, before + 1) << atClose;
    EXPECT_NE(ui.lastText.find(errorReason(EIO)), std::string::npos) << ui.lastText;
    EXPECT_EQ(ui.lastText.find("残っています"), std::string::npos) << ui.lastText;
    EXPECT_EQ(file.failures(), before + 1) << atClose;
    EXPECT_FALSE(file.isOpen());
  }
}

}  // namespace
}  // namespace velmar
