// The view windows and the pads in the running program, offscreen: opened
// by their commands, following the calculation without taking the focus.
#include "gui/views/view_windows.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_form.h"
#include "engine/numtext.h"
#include "gui/common/picture_saver.h"
#include "gui/common/tool_window.h"
#include "gui/main/main_window.h"
#include "gui/window_fixture.h"

using namespace velmar;

namespace {

// The main window at the total lunar eclipse of 2000-01-21 13:44, Tokyo.
struct Running : testing_window::WindowFixture<> {
  Running() {
    main.sites().load();
    main.selectSite(0);
    // The places and sizes of a first start.
    centreUnplaced(main.placements(), 19200, 14400, false);
    writeInstant(main.form(), {"2000", "1", "21", "13", "44", "0"});
    main.form().setText(Field::DeltaT, "64");
    main.form().setText(Field::ChangeAmount, "1");
    window.setAskBeforeClosing(false);
    window.show();
  }
  template <typename W>
  W* made(Win w) {
    return dynamic_cast<W*>(window.existing(w));
  }
  ViewWindow* view(View v) { return made<ViewWindow>(winOf(v)); }
  // What the picture shows, at a fraction of its width and height.
  QColor pixel(View v, double fx, double fy) {
    const QImage img = view(v)->pixels();
    return img.pixelColor(static_cast<int>(fx * (img.width() - 1)),
                          static_cast<int>(fy * (img.height() - 1)));
  }
};

// The frame of fields a field stands in, on the screen.
QRect group(QWidget* field) {
  QWidget* w = field->parentWidget();
  while (w && !qobject_cast<QGroupBox*>(w)) w = w->parentWidget();
  return w ? QRect(w->mapToGlobal(QPoint(0, 0)), w->size()) : QRect();
}

bool near(const QColor& c, int r, int g, int b) {
  return qAbs(c.red() - r) < 30 && qAbs(c.green() - g) < 30 && qAbs(c.blue() - b) < 30;
}

const QString kAt = "2000/1/21 13:44:";

}  // namespace

class ViewWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void viewsFollowTheTicksWithoutTakingTheFocus() {
    Running r;
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    r.window.activateWindow();
    for (const char* command :
         {"menumoonview", "menumoonphase", "skyview", "eclipse", "sunview", "timepadmn"})
      QVERIFY(r.main.run(command));
    for (View v : kViews) {
      ViewWindow* w = r.view(v);
      QVERIFY(w);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
      QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
      QVERIFY(r.main.views().isOpen(v));
    }
    auto* pad = r.made<TimePadWindow>(Win::TimePad);
    QVERIFY(pad && pad->isVisible());
    QCOMPARE(pad->windowTitle(), QString("TimePad"));
    QVERIFY(pad->windowFlags() & Qt::WindowDoesNotAcceptFocus);

    // The offscreen platform activates every window it shows; once the user
    // is back in the main window, redrawing the views leaves it there.
    QApplication::setActiveWindow(&r.window);
    r.window.field(Field::Second)->setFocus();
    // Three ticks of the continuous calculation, by the second.
    r.main.form().selectOption(Option::Seconds);
    r.main.run("loopcalc");
    for (int i = 0; i < 3; ++i) r.main.timerFired();
    r.main.run("stopcalc");
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), &r.window);
    QCOMPARE(QApplication::focusWidget(), r.window.field(Field::Second));
    QCOMPARE(r.view(View::Face)->windowTitle(), "MoonFace " + kAt + "3");
    QCOMPARE(r.view(View::Orbit)->windowTitle(), "Moon Phase " + kAt + "3");
    QCOMPARE(r.view(View::Sky)->windowTitle(), "Sky View " + kAt + "3");
    QCOMPARE(r.view(View::Shadow)->windowTitle(), "Eclipse View " + kAt + "3");
    QCOMPARE(r.view(View::Sun)->windowTitle(), "Eclipse View " + kAt + "3");

    // Full moon in the face; the Sun in the orbit's centre; the Moon in the
    // umbra; the Sun alone in the Sun-centred view.
    QVERIFY(near(r.pixel(View::Face, 0.5, 0.5), 255, 255, 0));
    QVERIFY(near(r.pixel(View::Orbit, 0.5, 0.5), 255, 0, 0));
    QVERIFY(near(r.pixel(View::Shadow, 0.5, 0.5), 128, 0, 0));
    QVERIFY(near(r.pixel(View::Sun, 0.5, 0.5), 255, 0, 0));
    QVERIFY(near(r.pixel(View::Sun, 0.1, 0.5), 0, 0, 192));
    // The Sun stands in the south-west sky: its dot where its boxes say.
    auto* sky = dynamic_cast<SkyWindow*>(r.view(View::Sky));
    const double azimuth = value(sky->sunAzimuthBox()->text().toStdString());
    const double altitude = value(sky->sunAltitudeBox()->text().toStdString());
    QVERIFY(azimuth > 200 && azimuth < 220 && altitude > 20 && altitude < 35);
    QVERIFY(near(r.pixel(View::Sky, (azimuth - 60) / 240, 1 - altitude / 90), 255, 0, 0));
  }

  void skyTrailSurvivesRepaintsAndClosing() {
    Running r;
    r.main.form().setTick(Tick::bigsky, true);  // dots large enough to count
    r.main.run("skyview");
    auto* sky = dynamic_cast<SkyWindow*>(r.view(View::Sky));
    QVERIFY(QTest::qWaitForWindowExposed(sky));
    QTest::mouseClick(sky->trailBox(), Qt::LeftButton);
    QVERIFY(r.main.views().trail());
    r.main.form().selectOption(Option::Hours);
    const QImage before = sky->pixels();
    for (int i = 0; i < 3; ++i) r.main.run("stepUpButton");  // three hours on
    // The Sun's earlier places stay as purple marks, also after a repaint.
    sky->repaint();
    const QImage after = sky->pixels();
    int purple = 0;
    for (int y = 0; y < after.height(); ++y)
      for (int x = 0; x < after.width(); ++x)
        if (near(after.pixelColor(x, y), 128, 0, 128)) ++purple;
    QVERIFY(purple > 0);
    QVERIFY(after != before);
    const std::string svg = sky->svg();
    QVERIFY(svg.find("#800080") != std::string::npos);

    // Closed and opened again: where it was, the box unticked, the trail
    // going on from the last dots.
    const QPoint place = sky->frameGeometry().topLeft() + QPoint(40, 30);
    sky->move(place);
    const SkyTrail trail = r.main.views().skyTrail();
    sky->close();
    QCOMPARE(r.main.views().flags().skyOpen, int16_t{0});
    QCOMPARE(r.main.views().skyTrail().skyMoonX, trail.skyMoonX);
    r.main.run("svbt");
    QVERIFY(QTest::qWaitForWindowExposed(sky));
    QCOMPARE(sky->frameGeometry().topLeft(), place);
    QVERIFY(!sky->trailBox()->isChecked());
  }

  void keypadFillsTheClickedField() {
    Running r;
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    QLineEdit* year = r.window.field(Field::Year);
    QTest::mouseClick(year, Qt::LeftButton);
    auto* keypad = r.made<KeypadWindow>(Win::Keypad);
    QVERIFY(keypad && keypad->isVisible());
    QCOMPARE(keypad->windowTitle(), QString("年を入力"));
    QCOMPARE(keypad->referenceBox()->text(), QString("2000"));
    QVERIFY(keypad->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(!keypad->frameGeometry().intersects(group(year)));
    for (const char* name :
         {"keypad.digit2Button", "keypad.digit0Button", "keypad.digit0Button",
          "keypad.digit5Button", "keypad.backspaceButton", "keypad.digit6Button"})
      QTest::mouseClick(keypad->findChild<QPushButton*>(name), Qt::LeftButton);
    QCOMPARE(keypad->entryBox()->text(), QString("2006"));
    QTest::mouseClick(keypad->findChild<QPushButton*>("keypad.okButton"), Qt::LeftButton);
    QCOMPARE(year->text(), QString("2006"));
    QVERIFY(!keypad->isVisible());
    QVERIFY(!r.main.form().text(Field::JulianDay).empty());  // calculated

    // The loop count's keypad opens beside its frame too.
    QLineEdit* loops = r.window.field(Field::LoopCount);
    QTest::mouseClick(loops, Qt::LeftButton);
    QCOMPARE(keypad->windowTitle(), QString("ループを入力"));
    QVERIFY(!keypad->frameGeometry().intersects(group(loops)));
    // A result field opens nothing.
    keypad->hide();
    QTest::mouseClick(r.window.field(Field::JulianDay), Qt::LeftButton);
    QVERIFY(!keypad->isVisible());
  }

  void timePadMarksTheUnitAndMirrorsTheChangeAmount() {
    Running r;
    r.main.form().setText(Field::ChangeAmount, "5");
    r.main.run("tmbt");
    auto* pad = r.made<TimePadWindow>(Win::TimePad);
    QVERIFY(QTest::qWaitForWindowExposed(pad));
    QCOMPARE(pad->changeBox()->text(), QString("5"));
    QVERIFY(pad->unitLabel(3)->autoFillBackground());  // by the day
    QTest::mouseClick(pad->unitLabel(5), Qt::LeftButton);
    QVERIFY(r.main.form().option(Option::Minutes));
    QVERIFY(pad->unitLabel(5)->autoFillBackground());
    QVERIFY(!pad->unitLabel(3)->autoFillBackground());
    r.main.form().setText(Field::ChangeAmount, "9000");
    QCOMPARE(pad->changeBox()->text(), QString("3600"));

    // A double-click on its change field opens the keypad against it.
    QTest::mouseDClick(pad->changeBox(), Qt::LeftButton);
    auto* keypad = r.made<KeypadWindow>(Win::Keypad);
    QVERIFY(keypad && keypad->isVisible());
    QCOMPARE(keypad->windowTitle(), QString("変化分を入力"));
    QVERIFY(!keypad->frameGeometry().intersects(pad->frameGeometry()));
    QTest::mouseClick(keypad->findChild<QPushButton*>("keypad.digit7Button"), Qt::LeftButton);
    QTest::mouseClick(keypad->findChild<QPushButton*>("keypad.okButton"), Qt::LeftButton);
    QCOMPARE(pad->changeBox()->text(), QString("7"));
    QCOMPARE(r.window.field(Field::ChangeAmount)->text(), QString("7"));
  }

  void eclipseMenusAndTheMainTicksAreOne() {
    Running r;
    r.main.run("mecl");
    ViewWindow* shadow = r.view(View::Shadow);
    QVERIFY(QTest::qWaitForWindowExposed(shadow));
    // The window's menu holds the main window's own actions.
    QList<QAction*> items;
    for (QMenu* menu : shadow->findChildren<QMenu*>()) items += menu->actions();
    QAction* luna = r.window.action("bigview");
    QVERIFY(items.contains(luna) && !luna->isChecked());
    luna->trigger();
    QVERIFY(r.main.form().tick(Tick::bigview));
    QVERIFY(luna->isChecked());
    QVERIFY(r.window.action("bigview")->isChecked());
    r.window.action("bigview")->trigger();
    QVERIFY(!luna->isChecked());
    QVERIFY(items.contains(r.window.action("nextfull")));
  }

  void picturesAreSavedAsPngOrSvg() {
    Running r;
    r.main.run("facebt");
    ViewWindow* face = r.view(View::Face);
    QVERIFY(QTest::qWaitForWindowExposed(face));
    r.main.calculator().calc();
    const SavablePicture picture{"MoonFace", [face] { return face->pixels(); },
                                 [face] { return face->svg(); }};
    PlainWindows* files = r.main.headlessWindows();
    const QString png = r.dir.filePath("moon");
    files->nextFile = FileChoice{png.toStdString(), 0};
    QVERIFY(savePicture(r.main.files(), r.main.ui(), picture));
    QImage saved(png + ".png");
    QCOMPARE(saved.size(), face->pixels().size());
    const QString svg = r.dir.filePath("moon.svg");
    files->nextFile = FileChoice{svg.toStdString(), 0};  // the name's extension decides
    QVERIFY(savePicture(r.main.files(), r.main.ui(), picture));
    QFile f(svg);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(text.startsWith("<svg"));
    QVERIFY(text.contains("<title>MoonFace 2000/1/21 13:44:0</title>"));
    // A folder that is not there: told, nothing written.
    files->nextFile = FileChoice{r.dir.filePath("none/moon.png").toStdString(), 0};
    QVERIFY(!savePicture(r.main.files(), r.main.ui(), picture));
    QCOMPARE(r.ui.lastTone, Tone::Warning);
  }

  // Fault guarded: keys typed after a click on the time pad's change field
  // went to the main window's field that had the focus (the loop count),
  // which changed silently.
  void timePadChangeFieldNeverTypesIntoAnotherField() {
    Running r;
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    r.window.activateWindow();
    r.main.run("tmbt");
    auto* pad = r.made<TimePadWindow>(Win::TimePad);
    QVERIFY(QTest::qWaitForWindowExposed(pad));
    QLineEdit* loops = r.window.field(Field::LoopCount);
    QTest::mouseClick(loops, Qt::LeftButton);
    QCOMPARE(r.window.focusWidget(), loops);
    const QString before = loops->text();
    QTest::mouseClick(pad->changeBox(), Qt::LeftButton);
    auto* keypad = r.made<KeypadWindow>(Win::Keypad);
    QVERIFY(keypad && keypad->isVisible());
    QCOMPARE(keypad->windowTitle(), QString("変化分を入力"));
    // The keys reach whatever has the main window's focus now.
    QVERIFY(r.window.focusWidget() != loops);
    if (QWidget* typing = r.window.focusWidget()) QTest::keyClicks(typing, "77");
    QCOMPARE(loops->text(), before);
    QCOMPARE(r.main.form().text(Field::LoopCount), before.toStdString());
  }

  // Fault guarded: the keypad opened over the fields needed next and on
  // every click, also while typing; closed without OK it left its code set.
  void keypadOpensBesideTheFieldsOnTheFirstClickOnly() {
    Running r;
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    QLineEdit* minute = r.window.field(Field::Minute);
    QTest::mouseClick(minute, Qt::LeftButton);
    auto* keypad = r.made<KeypadWindow>(Win::Keypad);
    QVERIFY(keypad && keypad->isVisible());
    // Hour, minute, second and delta T stay in sight.
    for (Field f : {Field::Hour, Field::Second, Field::DeltaT}) {
      QWidget* w = r.window.field(f);
      QVERIFY(!keypad->frameGeometry().intersects(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())));
    }
    // The first click selected the whole text: typing replaces it.
    QCOMPARE(minute->selectedText(), minute->text());
    QTest::mouseClick(keypad->findChild<QPushButton*>("keypad.digit3Button"), Qt::LeftButton);
    // A second click places the cursor and leaves the keypad's entry be.
    minute->setText("44");
    QTest::mouseClick(minute, Qt::LeftButton, {}, QPoint(2, minute->height() / 2));
    QVERIFY(!minute->hasSelectedText());
    QCOMPARE(minute->cursorPosition(), 0);
    QCOMPARE(keypad->entryBox()->text(), QString("3"));
    // Closed without OK: the code goes with it.
    QCOMPARE(r.main.dates().pendingField(), 8);
    keypad->close();
    QCOMPARE(r.main.dates().pendingField(), 0);
  }

  // Faults guarded, the keypad's: after its close box the field it was
  // opened from kept the focus and a click there did nothing; keys typed
  // after a click on the time pad's change field were lost; Escape did not
  // close it; always on top, it covered the buttons of a box asking a
  // question; its title was cut ("ル... カ").
  void keypadReopensTakesKeysAndStepsAsideForABox() {
    Running r;
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    QLineEdit* loops = r.window.field(Field::LoopCount);
    QTest::mouseClick(loops, Qt::LeftButton);
    auto* keypad = r.made<KeypadWindow>(Win::Keypad);
    QVERIFY(keypad && keypad->isVisible());
    keypad->close();
    QCOMPARE(r.window.focusWidget(), loops);
    QTest::mouseClick(loops, Qt::LeftButton);
    QVERIFY(keypad->isVisible());
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    QVERIFY(keypad->width() >= title.horizontalAdvance(keypad->windowTitle()) + 96);

    // Escape in the field closes it, as the close box does.
    QTest::keyClick(loops, Qt::Key_Escape);
    QVERIFY(!keypad->isVisible());
    QVERIFY(!r.main.keypad().shown());

    // A question's box: the keypad is out of its way until it closes.
    QTest::mouseClick(loops, Qt::LeftButton);
    QVERIFY(keypad->isVisible());
    QMessageBox box(QMessageBox::Question, "", "?", QMessageBox::Yes | QMessageBox::No, &r.window);
    bool hiddenMeanwhile = false;
    QTimer::singleShot(0, &box, [&] {
      hiddenMeanwhile = !keypad->isVisible();
      box.done(QMessageBox::Yes);
    });
    box.exec();
    QVERIFY(hiddenMeanwhile);
    QVERIFY(keypad->isVisible());

    // Keys after a click on the time pad's change field work the keypad.
    r.main.run("tmbt");
    auto* pad = r.made<TimePadWindow>(Win::TimePad);
    QVERIFY(QTest::qWaitForWindowExposed(pad));
    QTest::mouseClick(pad->changeBox(), Qt::LeftButton);
    QCOMPARE(keypad->windowTitle(), QString("変化分を入力"));
    QVERIFY(!r.window.focusWidget());
    QTest::keyClicks(&r.window, "4");
    QTest::keyClicks(pad, "2");
    QCOMPARE(keypad->entryBox()->text(), QString("42"));
    QTest::keyClick(pad, Qt::Key_Return);
    QVERIFY(!keypad->isVisible());
    QCOMPARE(pad->changeBox()->text(), QString("42"));
  }

  // Fault guarded: the time pad first opened at 300 x 374 but, after its
  // place was saved, a restart opened it at the bare 126 x 157 its line in
  // the settings file cannot widen (it keeps only the place), title cut.
  void timePadShrinksAfterARestart() {
    QSize first;
    {
      Running r;
      r.main.run("tmbt");
      first = r.made<TimePadWindow>(Win::TimePad)->size();
    }
    Running r;
    // As a restart reads it: the place of its own, the size the default.
    r.main.placements()[Win::TimePad].top = 300;
    r.main.placements()[Win::TimePad].left = 300;
    r.main.placements().own[static_cast<int>(Win::TimePad)] = true;
    r.main.run("tmbt");
    auto* pad = r.made<TimePadWindow>(Win::TimePad);
    QCOMPARE(pad->size(), first);
    // Closed at a size of the user's, it opens at that size again.
    pad->resize(first + QSize(30, 20));
    pad->close();
    r.main.run("tmbt");
    QCOMPARE(pad->size(), first + QSize(30, 20));
  }

  // Fault guarded: first-opened views piled up, small, at the centre of the
  // screen over the main window.
  void firstOpenedViewsStandBesideTheMainWindow() {
    Running r;
    const QRect area = r.window.screen()->availableGeometry();
    r.window.resize(300, 200);
    r.window.move(area.topLeft());
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    QList<QRect> seen;
    for (const char* command : {"menumoonview", "menumoonphase"}) {
      QVERIFY(r.main.run(command));
    }
    for (View v : {View::Face, View::Orbit}) {
      ViewWindow* w = r.view(v);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      QVERIFY(!w->frameGeometry().intersects(r.window.frameGeometry()));
      QVERIFY2(std::min(w->width(), w->height()) >= 300,
               qPrintable(QString("%1x%2").arg(w->width()).arg(w->height())));
      for (const QRect& other : seen) QVERIFY(w->frameGeometry().topLeft() != other.topLeft());
      seen << w->frameGeometry();
    }
  }

  // Fault guarded: a place stored for a larger or another screen opened the
  // window out of reach.
  void placeStoredOffTheScreenComesBack() {
    Placements placements;
    placements[Win::Sky] = {200000, 300000, 5000, 2500};
    placements.own[static_cast<int>(Win::Sky)] = true;  // as read from the file
    ToolWindow w(placements, Win::Sky, ToolWindow::Stacking::OnTop);
    w.open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry().topLeft()));
  }

  // Fault guarded: a picture that could not be saved was told in the
  // system's English ("No such file or directory").
  void failedPictureIsToldInJapanese() {
    Running r;
    r.main.run("facebt");
    ViewWindow* face = r.view(View::Face);
    QVERIFY(QTest::qWaitForWindowExposed(face));
    const SavablePicture picture{"MoonFace", [face] { return face->pixels(); },
                                 [face] { return face->svg(); }};
    r.main.headlessWindows()->nextFile =
        FileChoice{r.dir.filePath("none/moon.png").toStdString(), 0};
    QVERIFY(!savePicture(r.main.files(), r.main.ui(), picture));
    QVERIFY(r.ui.lastText.find("No such") == std::string::npos);
    QVERIFY(r.ui.lastText.find("ありません") != std::string::npos);
  }
};

QTEST_MAIN(ViewWindowsTest)
#include "view_windows_test.moc"
