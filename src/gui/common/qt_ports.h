#pragma once
// The core's ports on Qt: message boxes, the beep, the wait pointer, the
// save-file dialog, the printer, and the window actions of the main window.
#include <QPointer>
#include <QWidget>

#include "engine/ports.h"

namespace velmar {

class QtUi : public UiPort {
 public:
  // Boxes are centred on `parent` while it is shown, otherwise on the
  // screen (at startup, before the main window is up).
  explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  bool askYesNo(const std::string& title, const std::string& text) override;
  void message(const std::string& title, const std::string& text, Tone tone) override;
  void beep() override;
  void setWaitCursor(bool on) override;

 private:
  QWidget* shownParent() const;
  QPointer<QWidget> parent_;
};

class QtFiles : public FilePort {
 public:
  explicit QtFiles(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  std::optional<FileChoice> chooseSaveFile(const std::string& title,
                                           const std::vector<FileFilter>& filters,
                                           const std::string& current, int filter) override;

 private:
  QPointer<QWidget> parent_;
};

class QtPrinter : public PrinterPort {
 public:
  PrintResult print(const PrintJob& job) override;
  PrintResult printToPdf(const PrintJob& job, const std::string& path) override;
};

}  // namespace velmar
