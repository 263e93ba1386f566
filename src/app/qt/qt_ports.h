#pragma once
// The core's ports on Qt: message boxes, the beep, the wait pointer.
#include <QWidget>

#include "engine/ports.h"

namespace velmar {

class QtUi : public UiPort {
 public:
  // Boxes are centred on `parent` (may be set later, when the window exists).
  explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  bool askYesNo(const std::string& title, const std::string& text) override;
  void message(const std::string& title, const std::string& text, Tone tone) override;
  void beep() override;
  void setWaitCursor(bool on) override;

 private:
  QWidget* parent_;
};

}  // namespace velmar
