// The main window driven as a user would: typing, clicking, reading.
#include "gui/main/main_window.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/main_form.h"
#include "gui/common/qt_ports.h"
#include "gui/common/tool_window.h"
#include "gui/common/translations.h"
#include "gui/config/settings_dialog.h"
#include "gui/config/site_editor_dialog.h"
#include "gui/main/example_site.h"
#include "gui/views/phase_picture.h"
#include "gui/window_fixture.h"

using namespace velmar;

namespace {

// The window on the example's site file, shown.
struct Shown : testing_window::WindowFixture<> {
  Shown() {
    main.sites().load();
    window.show();
  }
};

// The lit (yellow) pixels of the phase picture.
int litPixels(MainWindow& w) {
  const QImage img = w.phasePicture()->grab().toImage();
  int lit = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 128 && c.green() > 128 && c.blue() < 100) ++lit;
    }
  return lit;
}

// Back to the working folder of the test run, whatever happens in between.
class WorkingFolder {
 public:
  explicit WorkingFolder(const QString& path) : old_(QDir::currentPath()) {
    QDir::setCurrent(path);
  }
  ~WorkingFolder() { QDir::setCurrent(old_); }

 private:
  QString old_;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  void type(MainWindow& w, Field f, const char* text) {
    QLineEdit* e = w.field(f);
    QVERIFY(e);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
  }

  // 2001-03-09 21:05:00, delta T 66 s: the worked example.
  void typeExampleInstant(MainWindow& w) {
    const std::pair<Field, const char*> parts[] = {
        {Field::Year, "2001"}, {Field::Month, "3"},  {Field::Day, "9"},    {Field::Hour, "21"},
        {Field::Minute, "5"},  {Field::Second, "0"}, {Field::DeltaT, "66"}};
    for (const auto& [f, text] : parts) type(w, f, text);
  }

 private slots:
  void typedDateIsCalculatedOnPress() {
    Shown shown;
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.siteCombo()->currentText(), QString("Tokyo"));

    typeExampleInstant(w);

    QTest::mouseClick(w.button("calcButton"), Qt::LeftButton);
    QCOMPARE(w.field(Field::JulianDay)->text(), QString(" 2451978.00423611"));
    QCOMPARE(w.field(Field::MoonLongitude)->text(), QString(" 165.891877524386"));
    QCOMPARE(w.field(Field::Altitude)->text(), QString(" 44.992504215675"));

    QVERIFY(litPixels(w) > 1000);
    // クリア empties the results; the date stays, and the picture shows
    // what the emptied fields say: nothing lit.
    QTest::mouseClick(w.button("clearResultsButton"), Qt::LeftButton);
    QCOMPARE(w.field(Field::MoonLongitude)->text(), QString());
    QCOMPARE(w.field(Field::Year)->text(), QString("2001"));
    QCOMPARE(litPixels(w), 0);
  }

  void modeMenuItemsStayExclusive() {
    testing_window::WindowFixture<> unshown;
    MainWindow& w = unshown.window;
    QVERIFY(w.action("hqcalc")->isChecked());
    w.action("easycalc")->trigger();
    QVERIFY(w.action("easycalc")->isChecked());
    QVERIFY(!w.action("hqcalc")->isChecked());
    w.action("easycalc")->trigger();
    QVERIFY(!w.action("easycalc")->isChecked());
    QVERIFY(w.action("hqcalc")->isChecked());
    QVERIFY(unshown.main.form().tick(Tick::hqcalc));
  }

  void daySpinnerBorrowsFromTheMonth() {
    Shown shown;
    MainForm& main = shown.main;
    MainWindow& w = shown.window;
    type(w, Field::Year, "2004");
    type(w, Field::Month, "3");
    type(w, Field::Day, "1");
    type(w, Field::Hour, "12");
    type(w, Field::Minute, "0");
    type(w, Field::Second, "0");
    QTest::mouseClick(w.button("calcButton"), Qt::LeftButton);
    const QString before = w.field(Field::MoonLongitude)->text();

    QTest::mouseClick(w.spinner("daySpinner", -1), Qt::LeftButton);
    QCOMPARE(w.field(Field::Day)->text(), QString("29"));
    QCOMPARE(w.field(Field::Month)->text(), QString("2"));
    QVERIFY(w.field(Field::MoonLongitude)->text() != before);  // calculated at once
    main.form().setText(Field::Day, "29");
    main.calculator().calc();
    QCOMPARE(w.field(Field::MoonLongitude)->text(),
             QString::fromStdString(main.form().text(Field::MoonLongitude)));
  }

  void newMoonSearchLeavesTheDiskDark() {
    Shown shown;
    PlainUi& ui = shown.ui;
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    typeExampleInstant(w);
    QTest::mouseClick(w.button("calcButton"), Qt::LeftButton);

    QVERIFY(litPixels(w) > 1000);  // almost full

    const int beeps = ui.beeps;
    w.action("findNewMoon")->trigger();
    QCOMPARE(w.field(Field::Day)->text(), QString("23"));
    QCOMPARE(w.field(Field::Month)->text(), QString("2"));
    QCOMPARE(w.field(Field::Illumination)->text(), QString(" 0.000000000000"));
    QCOMPARE(litPixels(w), 0);
    QCOMPARE(ui.beeps, beeps + 1);
  }

  void startsInAnEmptyFolderAndLoops() {
    QTemporaryDir dir;
    WorkingFolder here(dir.path());
    testing_window::WindowFixture<> shown{FilePaths{}};
    // 2026-12-08 05:04:18 UTC is 14:04:18 in Japan.
    shown.clock.set(std::chrono::system_clock::from_time_t(1796706258));
    shown.start();
    MainWindow& w = shown.window;
    ManualTimer& timer = shown.timer;
    QCOMPARE(shown.ui.messages, 0);
    QCOMPARE(w.field(Field::Year)->text(), QString("2026"));
    QCOMPARE(w.field(Field::Day)->text(), QString("8"));
    QCOMPARE(w.field(Field::Hour)->text(), QString("14"));
    QCOMPARE(w.siteCombo()->count(), 6);
    QCOMPARE(w.siteCombo()->currentIndex(), 0);
    QVERIFY(!w.field(Field::Azimuth)->text().isEmpty());
    QVERIFY(QFile::exists("sokuti.dat"));
    QVERIFY(!QFile::exists("moon.inf"));  // settings are written only on request
    QVERIFY(w.optionButton(Option::Days)->isChecked());
    QCOMPARE(w.field(Field::ChangeAmount)->text(), QString("1"));

    QTest::mouseClick(w.button("startLoopButton"), Qt::LeftButton);
    QVERIFY(timer.interval() > 0);
    for (int i = 0; i < 3; ++i) shown.main.timerFired();
    QCOMPARE(w.field(Field::Day)->text(), QString("11"));
    QTest::mouseClick(w.button("stopLoopButton"), Qt::LeftButton);
    QCOMPARE(timer.interval(), 0);
  }

  // A command clicked while a field is still being typed into commits the
  // field (whose rule may ask) and then runs: the click is not lost.
  void pendingEntryThenCommandRunsBoth() {
    Shown shown;
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QLineEdit* loops = w.field(Field::LoopCount);
    loops->setFocus();
    loops->selectAll();
    QTest::keyClicks(loops, "400");
    // The question is a real modal box. The user lets go of the mouse button
    // while it is up (the box takes that), then answers Yes.
    QtUi real(&w);
    shown.ui.forward = &real;
    QPushButton* start = w.button("startLoopButton");
    int asked = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        if (asked++ == 0) QTest::mouseRelease(start, Qt::LeftButton);
        box->button(QMessageBox::Yes)->click();
      }
    });
    answer.start(10);
    QTest::mousePress(start, Qt::LeftButton);
    if (asked == 0) QTest::mouseRelease(start, Qt::LeftButton);
    QCOMPARE(asked, 1);  // above 365: asked, and Yes keeps it
    QCOMPARE(shown.main.form().text(Field::LoopCount), std::string("400"));
    QVERIFY(shown.main.timer().interval() > 0);
  }

  void siteAddedInTheEditorAppearsInTheSiteList() {
    Shown shown;
    PlainUi& ui = shown.ui;
    MainWindow& w = shown.window;
    bool edited = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<SiteEditorDialog*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      for (const auto& [name, text] : {std::pair{"siteEditor.nameField", "Akashi"},
                                       std::pair{"siteEditor.longitudeField", "135"},
                                       std::pair{"siteEditor.latitudeField", "34.65"},
                                       std::pair{"siteEditor.elevationField", "10"}}) {
        auto* e = dlg->findChild<QLineEdit*>(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
      }
      dlg->findChild<QRadioButton*>("siteEditor.addOption")->click();
      dlg->findChild<QPushButton*>("siteEditor.applyButton")->click();
      dlg->findChild<QPushButton*>("siteEditor.cancelButton")->click();
      edited = true;
    });
    w.action("sokuedit")->trigger();
    QVERIFY(edited);
    QCOMPARE(QString::fromStdString(ui.lastText), QString());
    QCOMPARE(w.siteCombo()->count(), 2);
    QCOMPARE(w.siteCombo()->itemText(1), QString("Akashi"));
    QCOMPARE(ui.messages, 0);
    // Choosing it moves the site.
    w.siteCombo()->activated(1);
    QCOMPARE(w.field(Field::SiteLongitude)->text(), QString(" 135.00"));
    QCOMPARE(w.field(Field::SiteLatitude)->text(), QString(" 34.65"));
  }

  // A view or pad opens where it was closed, with the size it had; before
  // it was ever placed, centred with its default size.
  void subsidiaryWindowKeepsItsPlace() {
    Placements placements;
    placements[Win::Face] = {-1, 0, 2800, 2800};
    int closed = 0;
    {
      ToolWindow w(placements, Win::Face, ToolWindow::Stacking::OnTop);
      w.onClosed = [&] { ++closed; };
      w.open();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QVERIFY(w.testAttribute(Qt::WA_ShowWithoutActivating));
      const QRect area = w.screen()->availableGeometry();
      // Centred, up to the window frame's few pixels.
      QVERIFY(qAbs(w.frameGeometry().center().x() - area.center().x()) <= 4);
      QVERIFY(qAbs(w.frameGeometry().center().y() - area.center().y()) <= 4);
      w.move(area.topLeft() + QPoint(100, 80));
      w.resize(210, 150);
      w.setTitle("MoonFace 2001/3/9 21:5:0");
      QCOMPARE(w.windowTitle(), QString("MoonFace 2001/3/9 21:5:0"));
      w.close();
    }
    QCOMPARE(closed, 1);
    QVERIFY(placements[Win::Face].top != -1);
    ToolWindow again(placements, Win::Face, ToolWindow::Stacking::OnTop);
    again.open();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.size(), QSize(210, 150));
    QCOMPARE(again.frameGeometry().topLeft(),
             again.screen()->availableGeometry().topLeft() + QPoint(100, 80));
  }

  void guidanceFollowsThePointer() {
    testing_window::WindowFixture<> shown;
    MainWindow& w = shown.window;
    w.show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w.button("calcButton"), &enter);
    QCOMPARE(w.guidanceLine()->text(), QString("推算　現在の日時で推算します"));
    w.action("guid")->trigger();
    QVERIFY(!w.guidanceLine()->isVisible());
    QApplication::sendEvent(w.button("clearResultsButton"), &enter);
    w.action("guid")->trigger();
    QVERIFY(w.guidanceLine()->isVisible());
    QCOMPARE(w.guidanceLine()->text(), QString("クリア　算出された結果を全てクリアします"));
  }

  // Fault guarded: キャンセル clicked with the mouse took the focus first,
  // which committed the value being typed, and the value stayed.
  void settingsCancelKeepsWhatWasBeingTyped() {
    Shown shown;
    MainWindow& w = shown.window;
    shown.main.form().setText(Field::ChangeAmount, "5");
    SettingsWindow dialog(w.settingsDialog(), w.commandActions(), &w);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* amount = dialog.findChild<QLineEdit*>("settingsDialog.changeAmountField");
    QVERIFY(amount);
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "50");
    QTest::mouseClick(dialog.findChild<QPushButton*>("settingsDialog.cancelButton"),
                      Qt::LeftButton);
    QCOMPARE(shown.main.form().text(Field::ChangeAmount), std::string("5"));
    QVERIFY(!dialog.isVisible());
  }

  // Fault guarded: switching the guidance line on scrolled the window's
  // lower rows away instead of making room for the line.
  void guidanceLineGrowsTheWindow() {
    testing_window::WindowFixture<> shown;
    shown.main.form().setTick(Tick::guid, false);
    MainWindow& w = shown.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect area = w.screen()->availableGeometry();
    w.resize(w.sizeHint());
    w.move(area.topLeft());
    QApplication::processEvents();
    auto* scroll = w.findChild<QScrollArea*>();
    QVERIFY(scroll);
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    const int before = w.height();
    w.action("guid")->trigger();
    QApplication::processEvents();
    QVERIFY(w.guidanceLine()->isVisible());
    QVERIFY(w.height() > before);
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    // Fault guarded too: off and on again left the window 20-25 px taller.
    const int with = w.height();
    w.action("guid")->trigger();
    QApplication::processEvents();
    QCOMPARE(w.height(), before);
    w.action("guid")->trigger();
    QApplication::processEvents();
    QCOMPARE(w.height(), with);
  }

  // Fault guarded: the save dialog listed a FIFO as a file of "-1 バイト",
  // type "Unknown".
  void fileDialogListsFifos() {
    QTemporaryDir dir;
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) == 0);
    QFile plain(dir.filePath("plain.csv"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QStringList listed;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      auto* model = dialog->findChild<QFileSystemModel*>();
      if (model) {
        const QModelIndex folder = model->index(dir.path());
        for (int i = 0; i < 100 && model->rowCount(folder) < 1; ++i) QTest::qWait(20);
        QTest::qWait(100);  // every entry, not the first only
        for (int r = 0; r < model->rowCount(folder); ++r)
          listed << model->index(r, 0, folder).data().toString();
      }
      dialog->reject();
    });
    QtFiles files;
    QVERIFY(!files.chooseSaveFile("t", {{"CSV", "*.csv"}, {"*", "*"}},
                                  dir.filePath("pipe").toStdString(), 1));
    QVERIFY2(listed.contains("plain.csv"), qPrintable(listed.join(',')));
    QVERIFY2(!listed.contains("pipe"), qPrintable(listed.join(',')));
  }

  // Fault guarded: Qt's own texts (file dialog, a field's context menu)
  // were English.
  void qtTextsAreJapanese() {
    QVERIFY(useJapaneseTranslations());
    const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
    QVERIFY2(lookIn != "Look in:", qPrintable(lookIn));
    const QString copy = QCoreApplication::translate("QLineEdit", "&Copy");
    QVERIFY2(copy.contains(QString::fromUtf8("コピー")), qPrintable(copy));
    const QString replace = QCoreApplication::translate(
        "QFileDialog", "%1 already exists.\nDo you want to replace it?");
    QVERIFY(!replace.startsWith("%1 already"));
  }

  // Fault guarded: message boxes wrapped their Japanese lines in the middle
  // of words ("保|存しませんでした").
  void messageLinesAreNotBrokenInsideWords() {
    QtUi ui;
    const std::string line =
        "「/home/user/Documents/velmar/export_2001_03_09.csv」は書き換えが許可されていないため、"
        "保存しませんでした。";
    bool checked = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      auto* label = box->findChild<QLabel*>("qt_msgbox_label");
      if (label) {
        const int needed = label->fontMetrics().horizontalAdvance(QString::fromStdString(line));
        const int room = box->screen()->availableGeometry().width() * 9 / 10 - 120;
        checked = label->width() >= std::min(needed, room);
      }
      box->accept();
    });
    ui.message(kTitleText, line + "\r次の行", Tone::Warning);
    QVERIFY(checked);
  }

  // Fault guarded: an invalid date left only a guidance text that the next
  // hover overwrote, and nothing with the guidance line off.
  void invalidDateMarksTheFieldAndTheResults() {
    Shown shown;
    MainWindow& w = shown.window;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.action("guid")->trigger();
    QVERIFY(!w.guidanceLine()->isVisible());
    typeExampleInstant(w);
    auto* results = w.findChild<QGroupBox*>("results");
    QVERIFY(results && !results->title().contains(QString::fromUtf8(kStaleResultsText)));
    type(w, Field::Year, "1500");
    QVERIFY(results->title().contains(QString::fromUtf8(kStaleResultsText)));
    QLineEdit* year = w.field(Field::Year);
    QCOMPARE(year->palette().color(QPalette::Text), QColor(204, 0, 0));
    QVERIFY(year->toolTip().contains("1583"));
    type(w, Field::Year, "2001");
    QVERIFY(!results->title().contains(QString::fromUtf8(kStaleResultsText)));
    QVERIFY(year->palette().color(QPalette::Text) != QColor(204, 0, 0));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
