// Makes the README's pictures of the program: the main window, the data
// table and the graph after a continuous calculation, and the views at a
// lunar and a solar eclipse. Each window is drawn from its own widgets, so
// neither a desktop nor a window manager is needed (scripts/screenshots.sh
// runs it under Xvfb).
//
//   velmar-screenshots FOLDER
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>

#include "app/main_form.h"
#include "astro/calendar.h"
#include "gui/common/japanese_font.h"
#include "gui/common/qt_ports.h"
#include "gui/common/twips.h"
#include "gui/main/main_window.h"

namespace {

using namespace velmar;

// Lets the windows lay themselves out and paint.
void settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

// `size`: as a user would make the window to look at it, or as it opens.
bool save(QWidget* w, const QString& folder, const char* name, QSize size = {}) {
  if (!w) {
    std::fprintf(stderr, "velmar-screenshots: no window for %s\n", name);
    return false;
  }
  if (size.isValid()) w->resize(size);
  settle();
  const QString path = QDir(folder).filePath(name);
  if (!w->grab().save(path)) {
    std::fprintf(stderr, "velmar-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// A moment in Japan Standard Time, as the clock of the program gives it.
std::chrono::system_clock::time_point jst(int y, int mo, int d, int h, int mi) {
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = mo - 1;
  t.tm_mday = d;
  t.tm_hour = h - static_cast<int>(astro::kJstHours);  // UTC
  t.tm_min = mi;
  return std::chrono::system_clock::from_time_t(timegm(&t));
}

void at(MainForm& main, const InstantTexts& instant) {
  writeInstant(main.form(), instant);
  main.run("calcButton");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: velmar-screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(folder);
  useJapaneseFont();

  // A first start in a folder of its own: the shipped sites, the default
  // settings.
  QTemporaryDir data;
  QDir::setCurrent(data.path());

  QtUi ui;
  FixedClock clock(jst(2001, 3, 5, 20, 30));
  ManualTimer timer;
  PlainWindows files;  // no dialogs: the pictures need no export file
  MainForm main(Ports{ui, clock, timer, files, files});
  MainWindow window(main);
  window.setAskBeforeClosing(false);
  ui.setParent(&window);
  const ScreenTwips screen = screenTwips(QGuiApplication::primaryScreen());
  main.startup(screen.width, screen.height);
  window.placeOnScreen();
  window.show();
  bool ok = save(&window, folder, "main-window.png");

  // Sixty steps of six hours with the data table and the graph.
  main.run("unitHoursOption");
  main.enter(Field::ChangeAmount, "6");
  main.enter(Field::LoopCount, "60");
  main.run("tableOutputCheck");
  main.run("graphOutputCheck");
  main.run("loopcalc");
  for (int i = 0; i < 100 && timer.interval() > 0; ++i) main.timerFired();
  main.run("dataformmn");
  ok = save(window.existing(Win::Data), folder, "data-table.png", {960, 380}) && ok;
  main.run("grphformmn");
  ok = save(window.existing(Win::Graph), folder, "graph.png", {720, 420}) && ok;
  window.existing(Win::Data)->hide();
  window.existing(Win::Graph)->hide();

  // The total lunar eclipse of 21 January 2000, and the total solar
  // eclipse of 22 July 2009, as Tokyo saw them.
  at(main, {"2000", "1", "21", "13", "44", "0"});
  main.run("eclipse");
  main.run("skyview");
  ok = save(window.existing(Win::Shadow), folder, "earth-shadow.png", {420, 300}) && ok;
  ok = save(window.existing(Win::Sky), folder, "sky.png", {600, 300}) && ok;
  window.existing(Win::Shadow)->hide();
  at(main, {"2009", "7", "22", "11", "35", "0"});
  main.run("sunview");
  main.run("menumoonphase");
  ok = save(window.existing(Win::Sun), folder, "sun-centred.png", {420, 300}) && ok;
  ok = save(window.existing(Win::Orbit), folder, "orbit.png", {320, 320}) && ok;

  // The year view of a year with two total lunar eclipses, as it opens.
  at(main, {"2025", "3", "14", "12", "0", "0"});
  main.run("yearviewmn");
  ok = save(window.existing(Win::YearView), folder, "year-view.png") && ok;
  window.existing(Win::YearView)->hide();

  // The solar eclipses Tokyo sees from 2030 on, then the main window at
  // the maximum of the first, with the Sun-centred view.
  at(main, {"2030", "1", "1", "12", "0", "0"});
  main.run("eclipsesmn");
  ok = save(window.existing(Win::Eclipses), folder, "eclipses.png") && ok;
  main.run("almanacmn");
  ok = save(window.existing(Win::Almanac), folder, "almanac.png") && ok;
  return ok ? 0 : 1;
}
