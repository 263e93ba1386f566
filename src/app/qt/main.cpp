// Velmar: the Moon and the Sun for a date, a time and a site.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "app/main_form.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_ports.h"
#include "app/site_entry.h"

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
  velmar::MainForm main(ui, clock);
  velmar::MainWindow window(main);
  ui.setParent(&window);

  main.fillPresentMoment();
  velmar::enterSite(main.calculator(), "35.0", "135.0");
  main.calculator().calc();
  window.show();
  return app.exec();
}
