#pragma once
// The continuous calculation's timer on a QTimer.
#include <QObject>
#include <QTimer>
#include <functional>

#include "engine/ports.h"

namespace velmar {

class QtTimer : public QObject, public TimerPort {
  Q_OBJECT

 public:
  explicit QtTimer(QObject* parent = nullptr);
  void setInterval(int ms) override;
  int interval() const override { return timer_.isActive() ? timer_.interval() : 0; }
  void post(std::function<void()> task) override;

  // Called on every timeout.
  std::function<void()> onTimeout;

 private:
  QTimer timer_;
};

}  // namespace velmar
