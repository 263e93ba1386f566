// Velmar: the Moon and the Sun for a date, a time and a site.
#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <csignal>

#include "app/main_form.h"
#include "config/data_folder.h"
#include "gui/common/japanese_font.h"
#include "gui/common/qt_ports.h"
#include "gui/common/qt_timer.h"
#include "gui/common/translations.h"
#include "gui/common/twips.h"
#include "gui/main/main_window.h"

int main(int argc, char** argv) {
  // A file size limit fails the write (EFBIG, reported) instead of killing
  // the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setWindowIcon(
      QIcon::fromTheme("org.velmar.velmar", QIcon(":/program/org.velmar.velmar.svg")));
  velmar::useJapaneseFont();
  velmar::useJapaneseTranslations();

  // Before anything opens a file by its bare name.
  const velmar::FileStatus folder = velmar::enterChosenDataFolder();

  velmar::QtUi ui;
  velmar::SystemClock clock;
  velmar::QtTimer timer;
  velmar::QtFiles files;
  velmar::QtPrinter printer;
  velmar::MainForm main(velmar::Ports{ui, clock, timer, files, printer});
  timer.onTimeout = [&main] { main.timerFired(); };
  velmar::MainWindow window(main);
  ui.setParent(&window);
  files.setParent(&window);

  if (!folder.message.empty()) ui.message(velmar::kTitleText, folder.message, velmar::Tone::Warning);
  const velmar::ScreenTwips screen = velmar::screenTwips(QGuiApplication::primaryScreen());
  main.startup(screen.width, screen.height);

  window.placeOnScreen();
  window.show();
  return app.exec();
}
