// The main window's command surface as the window shows it: every menu
// item with its caption, shortcut and check mark, every toolbar button with
// its tooltip, and every control, field and spinner with its caption and
// the guidance text the pointer over it writes. It is compared with one
// golden file; a changed character fails.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "app/main_form.h"
#include "gui/config/settings_dialog.h"
#include "gui/main/help_window.h"
#include "gui/main/main_window.h"
#include "gui/window_fixture.h"

using namespace velmar;

namespace {

QString qs(const char* s) { return QString::fromUtf8(s); }

// A shown main window on a site file of its own.
struct Shown : testing_window::WindowFixture<> {
  Shown() {
    window.resize(1000, 560);
    start();
  }
  QString guidance() const { return window.guidanceLine()->text(); }
  // The pointer onto the middle of a widget, as the window system moves it.
  void pointAt(QWidget* w) {
    QTest::mouseMove(w, w->rect().center());
    QApplication::processEvents();
  }
  // The pointer onto a bare spot of the window.
  void pointAtBackground() {
    QTest::mouseMove(window.centralWidget(), QPoint(2, 2));
    QApplication::processEvents();
  }
  // The control of that name: a widget, or a toolbar button.
  QWidget* control(const char* name) {
    if (QWidget* w = window.findChild<QWidget*>(qs(name))) return w;
    return window.findChild<QWidget*>(qs(name) + "Up");  // a spinner's upper half
  }
};

// The surface, line by line, as the window shows it.
QString surfaceOf(Shown& s) {
  QStringList lines;
  for (QAction* m : s.window.menuBar()->actions()) {
    lines << QString("menu %1 %2").arg(m->menu()->objectName(), m->text());
    for (QAction* a : m->menu()->actions())
      lines << (a->isSeparator()
                    ? QString("  ----")
                    : QString("  %1 | %2 | %3%4")
                          .arg(a->objectName(), a->text(),
                               a->shortcut().isEmpty()
                                   ? QString("-")
                                   : a->shortcut().toString(QKeySequence::PortableText),
                               a->isCheckable() ? " | checkable" : ""));
  }
  lines << "toolbar";
  auto* bar = s.window.findChild<QToolBar*>("toolbar");
  for (QAction* a : bar->actions()) {
    if (a->isSeparator()) {
      lines << "  ----";
      continue;
    }
    s.pointAtBackground();
    // The button carries the toolbar's name; the action is the menu item's too.
    QWidget* button = bar->widgetForAction(a);
    s.pointAt(button);
    lines << QString("  %1 | %2 | %3").arg(button->objectName(), a->toolTip(), s.guidance());
  }
  // Controls in name order; over each the title first, so that every hint
  // is seen to be written.
  lines << "controls";
  static const QRegularExpression control(
      "^[a-z][A-Za-z0-9]*(Button|Check|Option|Frame|Field|SpinnerUp|Picture|Combo|Label)$");
  QMap<QString, QWidget*> controls;
  for (QWidget* w : s.window.findChildren<QWidget*>())
    if (control.match(w->objectName()).hasMatch()) controls.insert(w->objectName(), w);
  for (auto it = controls.begin(); it != controls.end(); ++it) {
    QWidget* w = it.value();
    if (w == s.window.guidanceLine()) continue;
    QString caption = "-";
    if (auto* box = qobject_cast<QGroupBox*>(w)) caption = box->title();
    if (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QToolButton*>(w))
      caption = w->property("text").toString();
    s.pointAtBackground();
    const QString before = s.guidance();
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
      // A frame's own spot: its border, not a control inside it.
      QTest::mouseMove(box, QPoint(1, box->height() / 2));
      QApplication::processEvents();
    } else {
      s.pointAt(w);
    }
    lines << QString("  %1 | %2 | %3").arg(it.key(), caption, s.guidance());
    if (before != qs(kTitleText)) lines << "  (background before it: " + before + ")";
  }
  return lines.join("\n") + "\n";
}

}  // namespace

class CommandSurfaceTest : public QObject {
  Q_OBJECT

 private slots:
  // The four ticks are state: the modes exclusive, newbt always leaves
  // high precision, guid hides the line but hints are still written.
  void checkMarksFollowTheState() {
    Shown s;
    MainWindow& w = s.window;
    for (const char* item : {"easycalc", "easycalc", "hqcalc", "easycalc", "hqcalc"}) {
      w.action(item)->trigger();
      QVERIFY(w.action("easycalc")->isChecked() != w.action("hqcalc")->isChecked());
    }
    for (bool easyFirst : {true, false}) {
      if (w.action("easycalc")->isChecked() != easyFirst) w.action("easycalc")->trigger();
      s.main.clickToolbar("newbt");
      QVERIFY(w.action("hqcalc")->isChecked());
      QVERIFY(!w.action("easycalc")->isChecked());
    }
    QVERIFY(w.action("guid")->isChecked());
    QVERIFY(w.guidanceLine()->isVisible());
    w.action("guid")->trigger();
    QVERIFY(!w.action("guid")->isChecked());
    QVERIFY(!w.guidanceLine()->isVisible());
    s.pointAt(w.button("clearResultsButton"));
    QCOMPARE(s.guidance(), qs("クリア　算出された結果を全てクリアします"));
    w.action("guid")->trigger();
    QVERIFY(w.guidanceLine()->isVisible());
    QCOMPARE(s.guidance(), qs("クリア　算出された結果を全てクリアします"));
    w.action("automem")->trigger();
    QCOMPARE(w.action("automem")->isChecked(), s.main.form().tick(Tick::automem));
  }

  void surfaceIsAsTheGoldenFileWrites() {
    Shown s;
    const QString shown = surfaceOf(s);
    QFile golden(VELMAR_TEST_DATA "/command_surface.txt");
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(golden.readAll());
    if (shown != expected) {
      QFile actual(QDir::temp().filePath("command_surface.actual.txt"));
      if (actual.open(QIODevice::WriteOnly)) actual.write(shown.toUtf8());
      QFAIL(qPrintable("the surface differs; as shown: " + actual.fileName()));
    }
    // A label is no control: over it the guidance line shows the title.
    s.pointAt(s.window.button("calcButton"));
    QLabel* label = nullptr;
    for (QLabel* l : s.window.findChildren<QLabel*>())
      if (l->text() == qs("月齢")) label = l;
    QVERIFY(label);
    s.pointAt(label);
    QCOMPARE(s.guidance(), qs(kTitleText));
  }

  // Each toolbar button has a picture of its own, legible at 16 pixels and
  // sharp on a screen of twice the density.
  void toolbarPicturesAreDistinct() {
    Shown s;
    QList<QImage> pictures;
    for (QAction* a : s.window.findChild<QToolBar*>("toolbar")->actions()) {
      if (a->isSeparator()) continue;
      const QImage picture = a->icon().pixmap(16, 16).toImage();
      int inked = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) inked += qAlpha(picture.pixel(x, y)) > 128;
      QVERIFY2(picture.size() == QSize(16, 16) && inked >= 24, qPrintable(a->objectName()));
      QVERIFY2(!pictures.contains(picture), qPrintable(a->objectName()));
      pictures << picture;
    }
    QCOMPARE(s.window.action("agebt")->icon().pixmap(QSize(16, 16), 2.0).size(),
             QSize(32, 32));
  }

  // Ctrl+X is cut in a field, and 拡大表示 of the Earth-shadow view in the
  // menu: the menu wins, for every shortcut of the command table.
  void menuShortcutsWinOverTheFieldsEditingKeys() {
    Shown s;
    QLineEdit* year = s.window.field(Field::Year);
    year->setFocus();
    year->selectAll();
    const QString text = year->text();
    const bool big = s.main.form().tick(Tick::bigview);
    QTest::keyClick(year, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(year->text(), text);
    QCOMPARE(s.main.form().tick(Tick::bigview), !big);
    for (const Command& c : commands()) {
      if (!c.shortcut) continue;
      const QKeySequence key(QString::fromLatin1(c.shortcut));
      QKeyEvent ask(QEvent::ShortcutOverride, key[0].key(), key[0].keyboardModifiers());
      ask.setAccepted(false);
      QApplication::sendEvent(year, &ask);
      QVERIFY2(!ask.isAccepted(), c.shortcut);
    }
    // Words typed into the help's search field are undone with Ctrl+Z.
    s.window.action("helpview")->trigger();
    QLineEdit* words = s.window.helpWindow()->findChild<QLineEdit*>();
    QVERIFY(words);
    QKeyEvent undo(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
    undo.setAccepted(false);
    QApplication::sendEvent(words, &undo);
    QVERIFY(undo.isAccepted());
  }

  // F11 and F12 pressed in the data window run the main window's commands.
  void shortcutsWorkFromTheSubsidiaryWindows() {
    Shown s;
    s.window.action("dataformmn")->trigger();
    QWidget* data = s.window.existing(Win::Data);
    QVERIFY(data && data->isVisible());
    data->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(data));
    QTest::keyClick(data, Qt::Key_F11);
    QVERIFY(s.timer.interval() > 0);
    QTest::keyClick(data, Qt::Key_F12);
    QCOMPARE(s.timer.interval(), 0);
  }

  // Clicks reach the command of exactly that key.
  void toolbarDispatchesByItsKey() {
    Shown s;
    MainWindow& w = s.window;
    s.main.form().setText(Field::JulianDay, " 2451978.00423611");
    w.action("setrefbt")->trigger();
    QCOMPARE(s.main.form().text(Field::ReferenceDate), std::string(" 2451978.00423611"));
    QCOMPARE(s.main.form().text(Field::MoonAge), std::string(" 0.00000000000"));
    QCOMPARE(s.main.form().check(Check::AutoRebase), 0);
    w.checkBox(Check::AutoRebase)->click();
    w.action("clearrefbt")->trigger();
    QCOMPARE(s.main.form().text(Field::ReferenceDate), std::string());
    QCOMPARE(s.main.form().text(Field::MoonAge), std::string());
    QCOMPARE(s.main.form().check(Check::AutoRebase), 0);
    w.action("loopbt")->trigger();
    QVERIFY(s.timer.interval() > 0);
    w.action("stopbt")->trigger();
    QCOMPARE(s.timer.interval(), 0);
  }

  // Enter commits and calculates; Up and Down are the spinner; Tab walks
  // the fields in reading order without stopping at the spinners.
  void keyboardWorksTheFields() {
    Shown s;
    MainWindow& w = s.window;
    QLineEdit* year = w.field(Field::Year);
    const std::pair<Field, const char*> instant[] = {
        {Field::Year, "2001"}, {Field::Month, "3"},  {Field::Day, "9"},    {Field::Hour, "21"},
        {Field::Minute, "5"},  {Field::Second, "0"}, {Field::DeltaT, "66"}};
    for (const auto& [f, text] : instant) {
      QLineEdit* e = w.field(f);
      e->setFocus();
      e->selectAll();
      QTest::keyClicks(e, text);
      QTest::keyClick(e, Qt::Key_Return);
    }
    QCOMPARE(w.field(Field::JulianDay)->text(), qs(" 2451978.00423611"));
    QCOMPARE(w.field(Field::MoonLongitude)->text(), qs(" 165.891877524386"));

    QLineEdit* day = w.field(Field::Day);
    day->setFocus();
    QTest::keyClick(day, Qt::Key_Up);
    QCOMPARE(day->text(), qs("10"));
    QVERIFY(w.field(Field::MoonLongitude)->text() != qs(" 165.891877524386"));
    QTest::keyClick(day, Qt::Key_Down);
    QCOMPARE(w.field(Field::MoonLongitude)->text(), qs(" 165.891877524386"));
    // Typed but not committed, then Down: the typed value is the one stepped.
    QLineEdit* amount = w.field(Field::ChangeAmount);
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "15");
    QTest::keyClick(amount, Qt::Key_Down);
    QCOMPARE(amount->text(), qs("14"));
    QCOMPARE(s.main.form().text(Field::ChangeAmount), std::string("14"));
    QCOMPARE(s.main.continuous().loopStep(), 14.0);

    year->setFocus();
    QWidget* at = year;
    for (Field next :
         {Field::Month, Field::Day, Field::Hour, Field::Minute, Field::Second, Field::DeltaT}) {
      QTest::keyClick(at, Qt::Key_Tab);
      at = QApplication::focusWidget();
      QCOMPARE(at, static_cast<QWidget*>(w.field(next)));
    }
    for (const char* spinner : {"yearSpinner", "daySpinner", "deltaTSpinner"})
      QCOMPARE(w.spinner(spinner, +1)->focusPolicy(), Qt::NoFocus);
  }

  // On a 1024 x 600 screen, less the title bar, every control and the
  // guidance line are in sight, whole.
  void fitsASmallScreen() {
    Shown s;
    MainWindow& w = s.window;
    const QSize want = w.sizeHint();
    QVERIFY2(want.width() <= 1024 && want.height() <= 600 - 36,
             qPrintable(QString("asks for %1 x %2").arg(want.width()).arg(want.height())));
    w.resize(1024, 600 - 36);
    QApplication::processEvents();
    QStringList hidden;
    const auto whole = [&](QWidget* c) {
      const QRect inWindow(c->mapTo(&w, QPoint(0, 0)), c->size());
      if (!c->visibleRegion().contains(c->rect()) || !w.rect().contains(inWindow))
        hidden << c->objectName();
    };
    for (QWidget* c : w.findChildren<QWidget*>()) {
      if (!c->isVisible() || c->objectName().isEmpty() || c->isWindow()) continue;
      const QString n = c->objectName();
      static const QRegularExpression control(
          "^[a-z][A-Za-z0-9]*(Button|Check|Option|Frame|Field|SpinnerUp|SpinnerDown)$");
      if (control.match(n).hasMatch() || n == "phasePicture" || n == "siteCombo" ||
          n == "guidanceLabel")
        whole(c);
    }
    QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(", ")));
    QVERIFY(w.guidanceLine()->isVisible());
    // The guidance line keeps the window's margin.
    const QRect line(w.guidanceLine()->mapTo(&w, QPoint(0, 0)), w.guidanceLine()->size());
    QVERIFY(line.left() >= 4 && w.width() - line.right() >= 4);
    QVERIFY(w.height() - line.bottom() >= 3);
  }

  // The settings dialog opens on the main window's settings and copies a
  // change through at once; キャンセル leaves it in force.
  void settingsDialogMirrorsTheMainWindow() {
    Shown s;
    MainWindow& w = s.window;
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<SettingsWindow*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      QCOMPARE(dlg->windowTitle(), qs("初期設定項目"));
      const std::pair<const char*, const char*> captions[] = {
          {"settingsDialog.unitYearsOption", "年"},
          {"settingsDialog.unitHoursOption", "時"},
          {"settingsDialog.speedFastOption", "高速"},
          {"settingsDialog.speedNormalOption", "通常"},
          {"settingsDialog.directionFutureOption", "未来"},
          {"settingsDialog.directionPastOption", "過去"},
          {"settingsDialog.autoRebaseCheck", "朔月自動基準化"},
          {"settingsDialog.graphSunCheck", "太陽"},
          {"settingsDialog.graphLatitudeCheck", "黄緯"},
          {"settingsDialog.resetPlacesCheck", "全ｳｨﾝﾄﾞｳ 初期位置"},
          {"settingsDialog.autoRecordCheck", "連続推算時の日時記録"},
          {"settingsDialog.guidanceCheck", "ｶﾞｲﾀﾞﾝｽの表示"},
          {"settingsDialog.saveButton", "設定保存"},
          {"settingsDialog.cancelButton", "キャンセル"},
          {"settingsDialog.loopCountLabel", "ループ"},
          {"settingsDialog.changeAmountLabel", "変化分"}};
      for (const auto& [name, caption] : captions) {
        QWidget* c = dlg->findChild<QWidget*>(name);
        QVERIFY2(c, name);
        QCOMPARE(c->property("text").toString(), qs(caption));
      }
      QCOMPARE(dlg->findChild<QGroupBox*>("settingsDialog.unitFrame")->title(), qs("連続推算対象"));
      QVERIFY(dlg->findChild<QRadioButton*>("settingsDialog.unitDaysOption")->isChecked());  // 日
      QVERIFY(dlg->findChild<QRadioButton*>("settingsDialog.directionFutureOption")
                  ->isChecked());  // 未来
      QCOMPARE(dlg->findChild<QLineEdit*>("settingsDialog.loopCountField")->text(), qs("10"));
      dlg->findChild<QRadioButton*>("settingsDialog.unitHoursOption")->click();
      QVERIFY(w.optionButton(Option::Hours)->isChecked());
      QVERIFY(!w.optionButton(Option::Days)->isChecked());
      dlg->findChild<QCheckBox*>("settingsDialog.guidanceCheck")->click();
      QVERIFY(!w.guidanceLine()->isVisible());
      QVERIFY(!w.action("guid")->isChecked());
      QLineEdit* loops = dlg->findChild<QLineEdit*>("settingsDialog.loopCountField");
      loops->setFocus();
      loops->selectAll();
      QTest::keyClicks(loops, "1");
      QTest::keyClick(loops, Qt::Key_Return);  // commits, neither saves nor closes
      QVERIFY(dlg->isVisible());
      QCOMPARE(loops->text(), qs("2"));
      QCOMPARE(w.field(Field::LoopCount)->text(), qs("2"));
      dlg->findChild<QPushButton*>("settingsDialog.cancelButton")->click();
      seen = true;
    });
    w.action("initset")->trigger();
    QVERIFY(seen);
    QVERIFY(w.optionButton(Option::Hours)->isChecked());
    QVERIFY(!QFile::exists(s.dir.filePath("moon.inf")));
  }
};

QTEST_MAIN(CommandSurfaceTest)
#include "command_surface_test.moc"
