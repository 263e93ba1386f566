// The main window driven as a user would: typing, clicking, reading.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/main_form.h"
#include "app/qt/main_window.h"
#include "app/site_entry.h"

using namespace velmar;

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

 private slots:
  void typedDateIsCalculatedOnPress() {
    PlainUi ui;
    FixedClock clock{std::chrono::system_clock::time_point{}};
    MainForm main(ui, clock);
    MainWindow w(main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    enterSite(main.calculator(), "35.6544", "139.7447");

    type(w, Field::Text1, "2001");
    type(w, Field::Text2, "3");
    type(w, Field::Text3, "9");
    type(w, Field::Text7, "21");
    type(w, Field::Text8, "5");
    type(w, Field::Text9, "0");
    type(w, Field::Text12, "66");
    QCOMPARE(w.field(Field::Text6)->text(), QString());

    QTest::mouseClick(w.button("Command1"), Qt::LeftButton);
    QCOMPARE(w.field(Field::Text4)->text(), QString(" 2451978.00423611"));
    QCOMPARE(w.field(Field::Text6)->text(), QString(" 165.891877524386"));
    QCOMPARE(w.field(Field::Text23)->text(), QString(" 44.992504215675"));

    // クリア empties the results; the date stays.
    QTest::mouseClick(w.button("Command17"), Qt::LeftButton);
    QCOMPARE(w.field(Field::Text6)->text(), QString());
    QCOMPARE(w.field(Field::Text1)->text(), QString("2001"));
  }

  void modeMenuItemsStayExclusive() {
    PlainUi ui;
    FixedClock clock{std::chrono::system_clock::time_point{}};
    MainForm main(ui, clock);
    MainWindow w(main);
    QVERIFY(w.action("hqcalc")->isChecked());
    w.action("easycalc")->trigger();
    QVERIFY(w.action("easycalc")->isChecked());
    QVERIFY(!w.action("hqcalc")->isChecked());
    // Choosing the checked item again inverts both once more.
    w.action("easycalc")->trigger();
    QVERIFY(!w.action("easycalc")->isChecked());
    QVERIFY(w.action("hqcalc")->isChecked());
    QVERIFY(main.form().tick(Tick::hqcalc));
  }

  void autoDeltaTFillsTheFieldAtOnce() {
    PlainUi ui;
    FixedClock clock{std::chrono::system_clock::time_point{}};
    MainForm main(ui, clock);
    MainWindow w(main);
    w.show();
    type(w, Field::Text1, "2001");
    type(w, Field::Text12, "5");
    QTest::mouseClick(w.checkBox(Check::Check3), Qt::LeftButton);
    QCOMPARE(w.field(Field::Text12)->text(), QString("66"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
