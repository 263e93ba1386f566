#pragma once
// Picture1: the lit shape of the Moon beside the results.
#include <QWidget>
#include <functional>

#include "engine/form.h"

namespace velmar {

class PhasePicture : public QWidget {
  Q_OBJECT

 public:
  explicit PhasePicture(const FormModel& form, QWidget* parent = nullptr);
  std::function<void()> onClick;
  std::function<void()> onDoubleClick;
  std::function<void()> onHover;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void enterEvent(QEnterEvent*) override;

 private:
  const FormModel& form_;
};

}  // namespace velmar
