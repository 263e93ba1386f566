#pragma once
// A main window over a form with plain ports, on the worked example's site
// file in a folder of its own: the set-up every window test shares. Each
// test shows it the way its topic needs.
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_form.h"
#include "gui/main/example_site.h"
#include "gui/main/main_window.h"

namespace velmar::testing_window {

// Answers as PlainUi does, or passes questions on to real message boxes.
struct TestUi : PlainUi {
  UiPort* forward = nullptr;
  bool askYesNo(const std::string& title, const std::string& text) override {
    const bool plain = PlainUi::askYesNo(title, text);
    return forward ? forward->askYesNo(title, text) : plain;
  }
};

template <class Timer = ManualTimer>
struct WindowFixture {
  QTemporaryDir dir;
  TestUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  Timer timer;
  MainForm main{ui, clock, timer, examplePaths(dir)};
  MainWindow window{main};

  WindowFixture() = default;
  // The test's own files, e.g. the defaults in the working folder.
  explicit WindowFixture(FilePaths paths) : main{ui, clock, timer, std::move(paths)} {}
  // The test's own file dialog and printer.
  WindowFixture(FilePort& files, PrinterPort& printer)
      : main{Ports{ui, clock, timer, files, printer}, examplePaths(dir)} {}

  // A first start on a 19200 x 14400 twip screen, shown, closing without
  // the exit question.
  void start() {
    main.startup(19200, 14400);
    window.setAskBeforeClosing(false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
  }
};

}  // namespace velmar::testing_window
