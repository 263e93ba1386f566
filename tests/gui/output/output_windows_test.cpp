// The three outputs driven from the windows as a user would: a short run
// into the data window, the graph's picture and an export file, then the
// table printed to a PDF and read back.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "config/text_file.h"
#include "gui/common/fixed_font.h"
#include "gui/common/qt_ports.h"
#include "gui/common/twips.h"
#include "gui/main/main_window.h"
#include "gui/output/data_window.h"
#include "gui/output/graph_window.h"
#include "gui/window_fixture.h"

using namespace velmar;

namespace {

// The file dialog answers with the paths the test lines up.
struct Dialogs : FilePort {
  std::vector<std::string> answers;
  std::vector<std::string> titles;
  std::optional<FileChoice> chooseSaveFile(const std::string& title, const std::vector<FileFilter>&,
                                           const std::string&, int filter) override {
    titles.push_back(title);
    if (answers.empty()) return std::nullopt;
    FileChoice c{answers.front(), filter};
    answers.erase(answers.begin());
    return c;
  }
};

// No printer on this machine, whatever is installed: the PDF is Qt's own.
struct PdfOnly : PrinterPort {
  QtPrinter qt;
  PrintResult print(const PrintJob&) override {
    return {PrintResult::Status::NoPrinter, "プリンターが設定されていません。"};
  }
  PrintResult printToPdf(const PrintJob& job, const std::string& path) override {
    return qt.printToPdf(job, path);
  }
};

int lineCount(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  return static_cast<int>(f.readAll().count("\r\n"));
}

int pixelsOf(const QImage& img, QColor c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, y) == c) ++n;
  return n;
}

}  // namespace

class OutputWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void aShortRunFillsTheTableTheGraphAndTheFile() {
    Dialogs dialogs;
    PdfOnly printer;
    testing_window::WindowFixture<> shown{dialogs, printer};
    shown.start();
    MainForm& main = shown.main;
    MainWindow& w = shown.window;
    ManualTimer& timer = shown.timer;
    FormModel& form = main.form();
    writeInstant(form, {"2001", "3", "9", "21", "5", "0"});
    form.setText(Field::DeltaT, "66");
    form.setText(Field::LoopCount, "5");
    main.calculator().setSite(35.6544, 139.7447);
    main.calculator().calc();

    QTest::mouseClick(w.checkBox(Check::TableOutput), Qt::LeftButton);
    QTest::mouseClick(w.checkBox(Check::GraphOutput), Qt::LeftButton);
    const QString csv = shown.dir.filePath("run.csv");
    dialogs.answers = {csv.toStdString()};
    QTest::mouseClick(w.button("exportFileButton"), Qt::LeftButton);
    QCOMPARE(dialogs.titles.back(), std::string("Velmar - File Output -"));
    QVERIFY(w.findChild<QLabel*>("exportFileLabel")->text().endsWith("run.csv"));
    QVERIFY(timer.interval() > 0);
    int ticks = 0;
    while (timer.interval() > 0 && ticks < 20) {
      main.timerFired();
      ++ticks;
    }
    QCOMPARE(ticks, 4);
    QVERIFY(!w.checkBox(Check::TableOutput)->isChecked());
    QVERIFY(!w.checkBox(Check::GraphOutput)->isChecked());
    QVERIFY(!w.checkBox(Check::FileOutput)->isChecked());
    QCOMPARE(lineCount(csv), 7);

    // The data window shows the rows that came while it did not exist.
    QTest::mouseClick(w.button("showTableButton"), Qt::LeftButton);
    auto* data = qobject_cast<DataWindow*>(w.existing(Win::Data));
    QVERIFY(data && data->isVisible());
    QCOMPARE(data->windowTitle(), QString("Velmar - Data -"));
    QAbstractItemModel* model = data->view()->model();
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(model->headerData(5, Qt::Horizontal).toString(), QString("月の黄緯"));
    QCOMPARE(model->index(0, 0).data().toString(), QString("2001/03/09"));
    QCOMPARE(model->index(4, 0).data().toString(), QString("2001/03/13"));
    QCOMPARE(model->index(0, 5).data().toString(), QString("+4.49189"));
    QVERIFY(keepsColumns(data->view()->font()));
    QCOMPARE(data->button("dataWindow.printButton")->text(), QString("ﾃﾞｰﾀ印刷"));

    // Selected rows go to the clipboard for a spreadsheet.
    data->view()->selectRow(1);
    data->copySelection();
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    QCOMPARE(copied.size(), 3);
    QVERIFY(copied[0].startsWith("算出日\t時分秒\t"));
    QVERIFY(copied[1].startsWith("2001/03/10\t21:05:00\t"));

    // The graph's picture kept the run: the red middle line, the curves.
    auto* graph = qobject_cast<GraphWindow*>(w.existing(Win::Graph));
    QVERIFY(graph);
    QCOMPARE(graph->windowTitle(), QString("Velmar - Graph - 2001/3/13 21:5:0"));
    // Fault guarded: a blank, unlabelled button that did nothing stood in
    // the graph's row of buttons.
    for (auto* window : std::initializer_list<QWidget*>{graph, data})
      for (QPushButton* b : window->findChildren<QPushButton*>())
        QVERIFY2(!b->text().trimmed().isEmpty(), qPrintable(b->objectName()));
    const QImage img = graph->picture()->image();
    const int middle = Twips::of(graph->picture()).toWholePixels(2226);
    bool red = false;
    for (int y = middle - 1; y <= middle + 1; ++y)
      red = red || (img.pixelColor(3, y).red() > 200 && img.pixelColor(3, y).green() < 120);
    QVERIFY(red);
    QVERIFY(pixelsOf(img, QColor(0, 0, 255)) > 50);  // the Moon's distance
    QVERIFY(pixelsOf(img, QColor(0, 128, 0)) > 50);  // the illuminated fraction
    // Unticking a series in the legend unticks the main window's box.
    graph->checkBox("graphWindow.moonCheck")->click();
    QVERIFY(!w.checkBox(Check::GraphMoon)->isChecked());

    // Printed without a printer: offered as a PDF, whose text reads back.
    const QString pdf = shown.dir.filePath("table");
    dialogs.answers = {pdf.toStdString()};
    QTest::mouseClick(data->button("dataWindow.printButton"), Qt::LeftButton);
    QCOMPARE(shown.ui.questions >= 2, true);
    QVERIFY(QFile::exists(pdf + ".pdf"));
    QProcess text;
    text.start("pdftotext", {"-layout", pdf + ".pdf", "-"});
    QVERIFY2(text.waitForFinished(20000), "pdftotext (poppler-utils) is needed: scripts/setup.sh");
    // The CJK font's shared glyphs read back as their Kangxi radicals (⽉
    // for 月), which compatibility normalisation folds again.
    const QString listing =
        QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    QVERIFY2(listing.contains("月の赤経"), qPrintable(listing));
    QVERIFY2(listing.contains("2001/03/13   21:05:00   352.9837"), qPrintable(listing));

    // The close box switches the table off; the rows stay for later.
    QTest::mouseClick(w.checkBox(Check::TableOutput), Qt::LeftButton);
    data->close();
    QVERIFY(!w.checkBox(Check::TableOutput)->isChecked());
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(shown.ui.messages, 0);
  }

  // Fault guarded: the PDF listing's text read back as Kangxi radicals
  // (⽉ for 月): copying or searching the PDF did not find 月の黄経.
  void pdfListingTextReadsBackAsTheIdeographs() {
    QTemporaryDir dir;
    QtPrinter printer;
    // Asked for the font that shares the glyphs, as where it is the one
    // fontconfig picks.
    PrintJob job{
        "Velmar - Data -", "Noto Sans Mono CJK JP", {"月の黄経  月の黄緯  日  心", "2001/03/09"}};
    const QString pdf = dir.filePath("listing.pdf");
    QCOMPARE(printer.printToPdf(job, pdf.toStdString()).status, PrintResult::Status::Printed);
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    QVERIFY2(text.waitForFinished(20000), "pdftotext (poppler-utils) is needed: scripts/setup.sh");
    const QString listing = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* word : {"月の黄経", "月の黄緯", "日", "心"})
      QVERIFY2(listing.contains(QString::fromUtf8(word)), qPrintable(listing));
    for (QChar c : listing)
      QVERIFY2(c.unicode() < 0x2E80 || c.unicode() > 0x2FDF, qPrintable(listing));

    // Fault guarded too: the text started 3.4 mm from the page's left and
    // top edges, where a printer clips it. The words' boxes, in points.
    QProcess boxes;
    boxes.start("pdftotext", {"-bbox", pdf, "-"});
    QVERIFY(boxes.waitForFinished(20000));
    const QString html = QString::fromUtf8(boxes.readAllStandardOutput());
    const QRegularExpression word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"");
    const double tenMillimetres = 10 / 25.4 * 72;
    int words = 0;
    for (auto m = word.globalMatch(html); m.hasNext(); ++words) {
      const QRegularExpressionMatch w = m.next();
      QVERIFY2(w.captured(1).toDouble() >= tenMillimetres - 0.5, qPrintable(w.captured(0)));
      QVERIFY2(w.captured(2).toDouble() >= tenMillimetres - 2, qPrintable(w.captured(0)));
    }
    QVERIFY(words >= 5);
  }
};

QTEST_MAIN(OutputWindowsTest)
#include "output_windows_test.moc"
