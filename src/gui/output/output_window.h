#pragma once
// What the data and graph windows share: buttons and boxes made from the
// command table that run their command through the main form, and a close
// that stores the place only of a window that was ever on the screen.
#include <QCheckBox>
#include <QPushButton>
#include <array>
#include <map>
#include <string>

#include "app/main_form.h"
#include "gui/common/command_controls.h"
#include "gui/common/tool_window.h"

class QVBoxLayout;

namespace velmar {

class OutputWindow : public ToolWindow {
  Q_OBJECT

 public:
  OutputWindow(MainForm& main, Win which);
  ~OutputWindow() override;

  // Controls by their command name ("dataWindow.printButton"), for tests.
  QPushButton* button(const std::string& name) const;
  QCheckBox* checkBox(const std::string& name) const;

 protected:
  QPushButton* commandButton(const std::string& name);
  // A box showing the state its command is bound to.
  QCheckBox* boundCheck(const std::string& name);
  // The window's column: the row of its nine buttons, named in their
  // order, along the top, 972 twips each, then whatever comes below.
  QVBoxLayout* columnUnderButtons(const std::array<const char*, 9>& names);

  MainForm& main_;

 private:
  CommandBinder binder_;
  std::map<std::string, QPushButton*> buttons_;
  std::map<std::string, QCheckBox*> checks_;
};

}  // namespace velmar
