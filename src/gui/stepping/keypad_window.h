#pragma once
// keypad "Tenkey": the numeric keypad's window. It never takes the focus:
// the field it was opened for keeps it, and the keyboard works as before.
#include <QKeyEvent>
#include <QLineEdit>

#include "app/main_form.h"
#include "gui/common/tool_window.h"

namespace velmar {

class KeypadWindow : public ToolWindow {
  Q_OBJECT

 public:
  // `mainWindow` gets the focus back after "OK".
  KeypadWindow(MainForm& main, QWidget* mainWindow);
  // Shows the keypad with its frame's top-left corner at `topLeft` (screen
  // pixels), kept on the screen.
  void openAt(QPoint topLeft);
  // Its frame's height in pixels, for placing it above a field.
  int frameHeight() const;
  QLineEdit* referenceBox() const { return reference_; }  // keypad.referenceField
  QLineEdit* entryBox() const { return entry_; }          // keypad.entryField

  // A key typed where nothing else takes it, on the keypad while it is up
  // (digits, BS, Delete, Enter, Escape); false when it did not take it.
  static bool takeKey(Keypad& keypad, const QKeyEvent* e);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void refresh();

  MainForm& main_;
  QWidget* mainWindow_;
  QLineEdit* reference_ = nullptr;
  QLineEdit* entry_ = nullptr;
  Connection changes_;
  // Stepped aside for a modal box, to come back when it closes.
  bool hiddenForBox_ = false;
};

}  // namespace velmar
