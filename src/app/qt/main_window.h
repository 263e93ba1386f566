#pragma once
// The main window: mirrors the main form's state and forwards the user's
// input to it. Every rule and calculation lives in MainForm.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <map>

#include "app/main_form.h"

namespace velmar {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(MainForm& main, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The widget bound to a field, a check box or a command, by its control
  // name ("Text4", "Check3", "Command1", "easycalc"); for tests and for the
  // guidance line.
  QLineEdit* field(Field f) const;
  QCheckBox* checkBox(Check c) const;
  QPushButton* button(const std::string& name) const;
  QAction* action(const std::string& name) const;

 private:
  void buildMenus();
  QWidget* buildDateTimeGroup();
  QWidget* buildResultsGroup();
  QWidget* buildSiteGroup();
  QLineEdit* bindField(Field f, bool input);
  QCheckBox* bindCheck(Check c, const char* caption);
  QPushButton* commandButton(const std::string& name);
  void onModelChange(const Change& c);
  void runCommand(const std::string& name);

  MainForm& main_;
  int listener_ = 0;
  std::map<Field, QLineEdit*> fields_;
  std::map<Check, QCheckBox*> checks_;
  std::map<std::string, QPushButton*> buttons_;
  std::map<std::string, QAction*> actions_;
  std::map<Tick, QAction*> tickActions_;
  QLineEdit* siteLatitude_ = nullptr;
  QLineEdit* siteLongitude_ = nullptr;
};

}  // namespace velmar
