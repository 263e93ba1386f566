// The 月の暦 and 日食 windows as a user meets them: opened from their
// commands, the month (or the years) of the main window, a click and Enter
// moving the main window, changes from the keyboard, and their places kept
// apart from moon.inf.
#include "gui/almanac/almanac_window.h"

#include "gui/almanac/eclipse_window.h"
#include "gui/almanac/year_view_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "app/main_form.h"
#include "config/additions.h"
#include "gui/common/qt_ports.h"
#include "gui/main/main_window.h"
#include "gui/window_fixture.h"

using namespace velmar;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The main window's six date/time fields as they read.
QString shownInstant(MainWindow& w) {
  QStringList parts;
  for (Field f : kInstantFields) parts << w.field(f)->text();
  return parts.join(' ');
}

QString instantOf(double jd) {
  const almanac::JstTime j = almanac::jstOf(jd);
  return QString("%1 %2 %3 %4 %5 %6")
      .arg(j.year)
      .arg(j.month)
      .arg(j.day)
      .arg(j.hour)
      .arg(j.minute)
      .arg(j.second);
}

}  // namespace

class AlmanacWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Fault guarded: a box or file dialog opened from 月の暦 brought the main
  // window, its parent, in front of 月の暦.
  void dialogsFromTheAlmanacBringTheMainWindowInFront() {
    testing_window::WindowFixture<> shown;
    shown.start();
    shown.window.action("almanacmn")->trigger();
    auto* almanac = shown.window.existing(Win::Almanac);
    QVERIFY(almanac && QTest::qWaitForWindowExposed(almanac));
    almanac->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(almanac));
    QWidget* over = nullptr;
    const auto closeNext = [&over] {
      QTimer::singleShot(0, [&over] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
          over = modal->parentWidget();
          modal->close();
        }
      });
    };
    QtUi ui(&shown.window);
    closeNext();
    ui.message("t", "m", Tone::Info);
    QCOMPARE(over, almanac);
    over = nullptr;
    almanac->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(almanac));
    QtFiles files(&shown.window);
    closeNext();
    files.chooseSaveFile("t", {{"CSV", "*.csv"}}, shown.dir.filePath("a.csv").toStdString(), 0);
    QCOMPARE(over, almanac);
  }

  void opensShowsTheMonthAndMovesTheMainWindow() {
    testing_window::WindowFixture<> shown;
    // 2025-03-14 03:00 UTC, noon in Japan.
    shown.clock.set(std::chrono::system_clock::from_time_t(1741921200));
    shown.start();
    MainWindow& w = shown.window;
    const FilePaths& paths = shown.main.paths();

    // From the menu, and the toolbar has its button.
    QVERIFY(w.findChild<QToolBar*>("toolbar")->findChild<QWidget*>("almbt"));
    w.action("almanacmn")->trigger();
    auto* almanac = qobject_cast<AlmanacWindow*>(w.existing(Win::Almanac));
    QVERIFY(almanac);
    QVERIFY(QTest::qWaitForWindowExposed(almanac));
    QCOMPARE(almanac->windowTitle(), QString::fromUtf8("月の暦"));
    QCOMPARE(almanac->model()->rowCount(), 31);
    QVERIFY(almanac->heading()->text().startsWith(QString::fromUtf8("2025年3月　Tokyo")));
    QCOMPARE(almanac->monthPicker()->date(), QDate(2025, 3, 1));
    // Today's row stands out, and the cells are the core's, to the minute.
    QTableView* table = almanac->table();
    QVERIFY(almanac->model()->data(almanac->model()->index(13, 0), Qt::BackgroundRole).isValid());
    QVERIFY(!almanac->model()->data(almanac->model()->index(12, 0), Qt::BackgroundRole).isValid());
    // 17:47:45: the minutes are cut, never rounded up.
    QCOMPARE(almanac->model()->index(13, 2).data().toString(), QString("17:47"));
    // Opened, nothing is selected, and Ctrl+C copies the whole month; the
    // window can be as small as a 1024 x 600 screen.
    QVERIFY(!table->selectionModel()->hasSelection());
    // The measured delta T by default; choosing the main window's computes
    // the month with it.
    QCOMPARE(almanac->deltaTChoice()->currentIndex(), 0);
    almanac->deltaTChoice()->activated(1);
    QCOMPARE(almanac->panel().deltaTChoice(), AlmanacDeltaT::MainWindow);
    QVERIFY(almanac->panel().deltaT() != almanac::measuredDeltaT(2025, 3));
    almanac->deltaTChoice()->activated(0);
    QCOMPARE(almanac->panel().deltaTChoice(), AlmanacDeltaT::Measured);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), qs(almanac->panel().copyText({})));
    QVERIFY(almanac->minimumSizeHint().width() <= 1024);
    QVERIFY(almanac->minimumSizeHint().height() <= 560);

    // A click on a moonrise: the main window shows that instant, calculated.
    const almanac::DayRow day = almanac->panel().rows()[13];
    const QString julianDay = w.field(Field::JulianDay)->text();
    const QModelIndex rise = almanac->model()->index(13, 2);
    table->scrollTo(rise);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualRect(rise).center());
    QCOMPARE(shownInstant(w), instantOf(*day.moonrise));
    QVERIFY(w.field(Field::JulianDay)->text() != julianDay);
    // The panel follows the calculation.
    QCOMPARE(almanac->observedValues()[0]->text(), qs(almanac->panel().observedLines()[0].second));

    // The keyboard alone: a transit chosen with the arrows and Enter.
    table->setFocus();
    table->setCurrentIndex(almanac->model()->index(11, 4));
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(shownInstant(w), instantOf(*almanac->panel().rows()[12].transit));
    // The next month and back; the main window's month when asked.
    QTest::keyClick(table, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(almanac->panel().month(), 4);
    QCOMPARE(almanac->monthPicker()->date(), QDate(2025, 4, 1));
    QCOMPARE(almanac->model()->rowCount(), 30);
    QTest::keyClick(table, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(almanac->panel().month(), 3);
    // Its shortcuts are its window's own: in the main window they do nothing
    // to the almanac.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.field(Field::Year), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(almanac->panel().month(), 3);
    almanac->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(almanac));

    // Ctrl+C: the chosen row under the header, tab-separated, to the second.
    table->selectionModel()->setCurrentIndex(almanac->model()->index(13, 0),
                                             QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), qs(almanac->panel().copyText({13})));

    // Its place goes to the additions file when it closes; moon.inf stays
    // as it was (here: never written).
    almanac->move(almanac->pos() + QPoint(40, 30));
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!almanac->isVisible());
    QVERIFY(!QFile::exists(qs(paths.settings)));
    AdditionStore kept(paths.additions);
    QVERIFY(placementIn(kept, "almanac").has_value());
    QCOMPARE(shown.ui.messages, 0);
  }

  // The year view (暦要項) from the keyboard alone: opened from the main
  // window and from the 月の暦, another year, Enter on a row moving the main
  // window, the file written, Escape closing it.
  void yearViewWorksFromTheKeyboard() {
    testing_window::WindowFixture<> shown;
    shown.clock.set(std::chrono::system_clock::from_time_t(1741921200));
    shown.start();
    MainWindow& w = shown.window;
    QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    auto* year = qobject_cast<YearViewWindow*>(w.existing(Win::YearView));
    QVERIFY(year);
    QVERIFY(QTest::qWaitForWindowActive(year));
    QCOMPARE(year->windowTitle(), QString::fromUtf8("暦要項"));
    QCOMPARE(year->yearPicker()->value(), 2025);
    QCOMPARE(year->model()->rowCount(), static_cast<int>(year->panel().rows().size()));
    QVERIFY(year->minimumSizeHint().width() <= 1024);
    QVERIFY(year->minimumSizeHint().height() <= 560);
    QTest::keyClick(year->table(), Qt::Key_Escape);
    QVERIFY(!year->isVisible());

    // From the 月の暦's button, by its mnemonic.
    w.action("almanacmn")->trigger();
    auto* almanac = qobject_cast<AlmanacWindow*>(w.existing(Win::Almanac));
    QVERIFY(almanac && QTest::qWaitForWindowActive(almanac));
    QTest::keyClick(almanac, Qt::Key_Y, Qt::AltModifier);
    QVERIFY(QTest::qWaitForWindowActive(year));

    // The next year from the picker, and back with the window's shortcut.
    QTableView* table = year->table();
    year->yearPicker()->setFocus();
    QTest::keyClick(year->yearPicker(), Qt::Key_Up);
    QCOMPARE(year->panel().year(), 2026);
    QTest::keyClick(table, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(year->panel().year(), 2025);
    QCOMPARE(year->yearPicker()->value(), 2025);

    // One choice of delta T for both windows, changed in either.
    year->deltaTChoice()->activated(1);
    QCOMPARE(almanac->deltaTChoice()->currentIndex(), 1);
    QCOMPARE(almanac->panel().deltaTChoice(), AlmanacDeltaT::MainWindow);
    almanac->deltaTChoice()->activated(0);
    QCOMPARE(year->deltaTChoice()->currentIndex(), 0);
    QCOMPARE(year->panel().deltaT(), almanac::measuredDeltaT(2025));

    // Enter on 秋分: the main window at its instant, to the second.
    int row = 0;
    while (row < year->model()->rowCount() &&
           year->model()->index(row, 2).data().toString() != QString::fromUtf8("秋分"))
      ++row;
    QVERIFY(row < year->model()->rowCount());
    table->setFocus();
    table->setCurrentIndex(year->model()->index(row, 0));
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(shownInstant(w), instantOf(*year->panel().rows()[static_cast<size_t>(row)].instant));

    // The file, by the export button's mnemonic.
    const QString path = shown.dir.filePath("koyomi.csv");
    shown.main.headlessWindows()->nextFile = FileChoice{path.toStdString(), 0};
    QTest::keyClick(table, Qt::Key_S, Qt::AltModifier);
    // A mnemonic clicks as a button animates: a moment later.
    QTRY_VERIFY(QFile::exists(path));
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!year->isVisible());
    QCOMPARE(shown.ui.messages, 0);
  }

  // Ctrl+J from the main window; the years from the main window's, at its
  // site; Enter on an eclipse sets the main window to its maximum.
  void eclipsesListTheSiteAndMoveTheMainWindowToTheMaximum() {
    testing_window::WindowFixture<> shown;
    // 2026-12-09 12:00 JST.
    shown.clock.set(std::chrono::system_clock::from_time_t(1796785200));
    shown.start();
    MainWindow& w = shown.window;
    QTest::keyClick(&w, Qt::Key_J, Qt::ControlModifier);
    auto* eclipses = qobject_cast<EclipseWindow*>(w.existing(Win::Eclipses));
    QVERIFY(eclipses && QTest::qWaitForWindowExposed(eclipses));
    QCOMPARE(eclipses->yearPicker()->value(), 2026);
    QVERIFY(eclipses->heading()->text().startsWith(QString::fromUtf8("2026年から 20年間　Tokyo")));
    // The annular eclipse of 2030-06-01 is partial in Tokyo, and so is the
    // total eclipse of 2035-09-02, whose path passes north of the city.
    eclipses->yearPicker()->setValue(2030);
    const auto& rows = eclipses->panel().rows();
    QVERIFY(rows.size() >= 3);
    QCOMPARE(eclipses->model()->rowCount(), static_cast<int>(rows.size()));
    QCOMPARE(almanac::jstOf(rows[0].maximum.jd).month, 6);
    QCOMPARE(rows[0].kind, solar::LocalKind::Partial);
    const auto total = std::find_if(rows.begin(), rows.end(), [](const solar::LocalEclipse& e) {
      return almanac::jstOf(e.maximum.jd).year == 2035 && almanac::jstOf(e.maximum.jd).month == 9;
    });
    QVERIFY(total != rows.end());
    QCOMPARE(total->kind, solar::LocalKind::Partial);
    QVERIFY(total->magnitude > 0.9);
    QTableView* table = eclipses->table();
    table->setFocus();
    const int row = static_cast<int>(total - rows.begin());
    table->setCurrentIndex(eclipses->model()->index(row, 0));
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(shownInstant(w), instantOf(total->maximum.jd));
    QVERIFY(eclipses->minimumSizeHint().width() <= 1024);
    QVERIFY(eclipses->minimumSizeHint().height() <= 560);
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!eclipses->isVisible());
    QVERIFY(placementIn(AdditionStore(shown.main.paths().additions), "eclipses").has_value());
    QCOMPARE(shown.ui.messages, 0);
  }
};

QTEST_MAIN(AlmanacWindowTest)
#include "almanac_window_test.moc"
