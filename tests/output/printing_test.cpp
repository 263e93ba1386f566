// Printing the data table: the question, the job, and what happens when
// there is no printer or it fails.
#include "output/printing.h"

#include <gtest/gtest.h>

#include <deque>

#include "output/output_fixture.h"

namespace velmar {
namespace {

using testing_output::OutputTest;

struct ScriptedUi : PlainUi {
  std::deque<bool> answers;
  std::vector<std::string> asked;
  bool askYesNo(const std::string& title, const std::string& text) override {
    PlainUi::askYesNo(title, text);
    asked.push_back(text);
    const bool a = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return a;
  }
};

struct ScriptedPrinter : PrinterPort, FilePort {
  PrintResult onPrinter, onPdf;
  std::vector<PrintJob> jobs;
  std::vector<std::string> pdfs;
  std::optional<FileChoice> chosen;
  int dialogs = 0;
  PrintResult print(const PrintJob& job) override {
    jobs.push_back(job);
    return onPrinter;
  }
  PrintResult printToPdf(const PrintJob& job, const std::string& path) override {
    jobs.push_back(job);
    pdfs.push_back(path);
    return onPdf;
  }
  std::optional<FileChoice> chooseSaveFile(const std::string&, const std::vector<FileFilter>&,
                                           const std::string&, int) override {
    ++dialogs;
    return chosen;
  }
};

class PrintingTest : public OutputTest {
 protected:
  ScriptedUi asking;
  ScriptedPrinter printer;
  void print() { printTable(outputs.table(), asking, printer, printer); }
};

TEST_F(PrintingTest, AskedFirstThenPrintedOrOfferedAsAPdf) {
  main.run("clearTableButton");
  asking.answers = {false};
  print();
  EXPECT_EQ(asking.lastTitle, "Velmar - Data -");
  EXPECT_EQ(asking.asked, std::vector<std::string>{"Velmar Data を印刷しますか ?"});
  EXPECT_TRUE(printer.jobs.empty());

  asking.answers = {true};
  print();
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(printer.jobs[0].fontFamily, "ＭＳ ゴシック");
  EXPECT_EQ(printer.jobs[0].lines, outputs.table().listing());
  EXPECT_EQ(asking.waitDepth, 0);

  // Without a printer the same listing can become a PDF.
  printer.onPrinter = {PrintResult::Status::NoPrinter, "プリンターが設定されていません。"};
  printer.chosen = FileChoice{"/tmp/listing", 0};
  asking.answers = {true, true};
  print();
  EXPECT_NE(asking.asked.back().find("プリンターが設定されていません。"), std::string::npos);
  EXPECT_EQ(printer.pdfs, std::vector<std::string>{"/tmp/listing.pdf"});
  EXPECT_EQ(printer.jobs.back().lines, printer.jobs[0].lines);
  EXPECT_EQ(asking.messages, 0);

  // A PDF that cannot be written is told; declining the PDF ends quietly.
  printer.onPdf = {PrintResult::Status::Failed, "印刷を始められませんでした。"};
  asking.answers = {true, true};
  print();
  EXPECT_EQ(asking.messages, 1);
  EXPECT_NE(asking.lastText.find("/tmp/listing.pdf"), std::string::npos) << asking.lastText;
  asking.answers = {true, false};
  const int dialogs = printer.dialogs;
  print();
  EXPECT_EQ(printer.dialogs, dialogs);
  EXPECT_EQ(asking.messages, 1);
}

TEST_F(PrintingTest, EveryRowIsListedBeyond32767) {
  for (int i = 0; i < 40000; ++i) outputs.table().dataadd();
  const PrintJob job = tablePrintJob(outputs.table());
  ASSERT_EQ(job.lines.size(), 40001u);
  EXPECT_EQ(job.lines.back(), job.lines[1]);
}

}  // namespace
}  // namespace velmar
