#pragma once
// phasePicture: the lit shape of the Moon beside the results.
#include <QWidget>
#include <functional>
#include <optional>

#include "engine/calculator.h"

namespace velmar {

class PhasePicture : public QWidget {
  Q_OBJECT

 public:
  explicit PhasePicture(const Calculator& calc, QWidget* parent = nullptr);
  // A running search's step, shown until the search ends (none).
  void showStep(std::optional<astro::Reduced> step) { step_ = std::move(step); }
  std::function<void()> onClick;
  std::function<void()> onDoubleClick;
  std::function<void()> onHover;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void enterEvent(QEnterEvent*) override;

 private:
  const Calculator& calc_;
  std::optional<astro::Reduced> step_;
};

}  // namespace velmar
