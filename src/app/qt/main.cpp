// Velmar: the Moon and the Sun for a date, a time and a site.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QScreen>

#include "app/main_form.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_ports.h"
#include "stepping/qt/qt_timer.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The captions are Japanese; prefer a font that has every glyph.
  for (const char* family : {"Noto Sans CJK JP", "Noto Sans JP", "IPAGothic"}) {
    if (QFontDatabase::families().contains(family)) {
      QFont f(family);
      f.setPointSize(10);
      QApplication::setFont(f);
      break;
    }
  }

  velmar::QtUi ui;
  velmar::SystemClock clock;
  velmar::QtTimer timer;
  velmar::MainForm main(ui, clock, timer);
  timer.onTimeout = [&main] { main.timerFired(); };
  velmar::MainWindow window(main);
  ui.setParent(&window);

  // The screen in twips (1440 per inch at its logical resolution).
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen->availableGeometry();
  const double twipsPerPixel = 1440.0 / screen->logicalDotsPerInch();
  main.startup(static_cast<float>(area.width() * twipsPerPixel),
               static_cast<float>(area.height() * twipsPerPixel));

  window.adjustSize();
  window.move(area.center() - window.rect().center());
  window.show();
  return app.exec();
}
