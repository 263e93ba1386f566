#include "gui/common/qt_timer.h"

namespace velmar {

QtTimer::QtTimer(QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (onTimeout) onTimeout();
  });
}

void QtTimer::setInterval(int ms) {
  if (ms <= 0) {
    timer_.stop();
    return;
  }
  // Changing the interval of a running timer keeps it running.
  timer_.start(ms);
}

void QtTimer::post(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

}  // namespace velmar
