// The window's own writers, the PDF listing and the saved pictures, under
// a disk that fills up, on a FIFO and on a read-only file.
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QtTest>

#include "config/failing_layer.h"
#include "config/temp_folder.h"
#include "gui/common/picture_saver.h"
#include "gui/common/qt_ports.h"
#include "output/printing.h"

using namespace velmar;

namespace {

PrintJob someListing() {
  PrintJob job{"Velmar Data", "ＭＳ ゴシック", {}};
  for (int i = 0; i < 400; ++i)
    job.lines.push_back("2001/03/" + std::to_string(i) + "   21:05:00   352.98370000   月の赤経");
  return job;
}

SavablePicture somePicture() {
  return {"MoonFace",
          [] {
            QImage img(300, 200, QImage::Format_RGB32);
            img.fill(Qt::darkBlue);
            return img;
          },
          [] { return std::string("<svg>") + std::string(50000, ' ') + "</svg>\n"; }};
}

}  // namespace

class FileWritersTest : public QObject {
  Q_OBJECT

 private slots:
  // A full disk once left a broken PDF in place of the old one, without a
  // reason; pictures were replaced by an empty file and reported saved.
  void aFullDiskKeepsTheOldPdfAndPicture() {
    testing::TempFolder dir;
    const std::string pdf = dir / "listing.pdf";
    for (const char* name : {"listing.pdf", "moon.png", "moon.svg"})
      testing::writeBytes(dir / name, "old");
    for (int err : {ENOSPC, EIO}) {
      testing::FailingLayer layer(2000, err);
      ScopedFileLayer scoped(layer);
      QtPrinter printer;
      const PrintResult r = printer.printToPdf(someListing(), pdf);
      QCOMPARE(r.status, PrintResult::Status::Failed);
      QVERIFY2(r.message.find(errorReason(err)) != std::string::npos, r.message.c_str());

      for (const char* name : {"moon.png", "moon.svg"}) {
        PlainWindows files;
        PlainUi ui;
        files.nextFile = FileChoice{dir / name, 0};
        QVERIFY(!savePicture(files, ui, somePicture()));
        QCOMPARE(ui.messages, 1);
        QVERIFY2(ui.lastText.find(errorReason(err)) != std::string::npos, ui.lastText.c_str());
      }
    }
    for (const char* name : {"listing.pdf", "moon.png", "moon.svg"})
      QCOMPARE(testing::readBytes(dir / name), std::string("old"));
    QCOMPARE(dir.entries(), 3);
    // And without a fault the PDF is whole.
    QtPrinter printer;
    QCOMPARE(printer.printToPdf(someListing(), pdf).status, PrintResult::Status::Printed);
    QVERIFY(testing::readBytes(pdf).rfind("%PDF", 0) == 0);
  }

  void aFifoOrAReadOnlyFileIsRefused() {
    testing::TempFolder dir;
    testing::FifoReleaser fifo(dir / "pipe.png");
    testing::writeBytes(dir / "kept.png", "mine");
    chmod((dir / "kept.png").c_str(), 0444);
    for (const std::string& path : {fifo.path(), dir / "kept.png"}) {
      PlainWindows files;
      PlainUi ui;
      files.nextFile = FileChoice{path, 0};
      QVERIFY(!savePicture(files, ui, somePicture()));
      QCOMPARE(ui.messages, 1);
      QtPrinter printer;
      QCOMPARE(printer.printToPdf(someListing(), path).status, PrintResult::Status::Failed);
    }
    QVERIFY(std::filesystem::is_fifo(fifo.path()));
    QCOMPARE(testing::readBytes(dir / "kept.png"), std::string("mine"));
  }

  // The dialog confirmed "moon"; "moon.png" is another file, asked about.
  void anExtendedNameIsAskedAboutBeforeItIsReplaced() {
    testing::TempFolder dir;
    testing::writeBytes(dir / "moon.png", "mine");
    PlainWindows files;
    PlainUi ui;
    ui.answer = false;
    files.nextFile = FileChoice{dir / "moon", 0};
    QVERIFY(!savePicture(files, ui, somePicture()));
    QCOMPARE(ui.questions, 1);
    QCOMPARE(testing::readBytes(dir / "moon.png"), std::string("mine"));
    // Upper case is the same extension, whichever filter was picked.
    files.nextFile = FileChoice{dir / "MOON.SVG", 0};
    QVERIFY(savePicture(files, ui, somePicture()));
    QVERIFY(testing::readBytes(dir / "MOON.SVG").rfind("<svg>", 0) == 0);
    QCOMPARE(ui.questions, 1);
  }
};

QTEST_MAIN(FileWritersTest)
#include "file_writers_test.moc"
