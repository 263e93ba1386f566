#pragma once
// The main window: mirrors the main form's state and forwards the user's
// input to it. Every rule and calculation lives in MainForm; every caption,
// hint and shortcut comes from the command and field tables.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <map>
#include <memory>
#include <vector>

#include "app/captions.h"
#include "app/commands.h"
#include "app/main_form.h"
#include "config/settings_dialog.h"
#include "engine/lunation.h"
#include "gui/common/command_controls.h"
#include "gui/common/field_host.h"
#include "gui/common/window_family.h"

class QKeyEvent;

namespace velmar {

class HelpWindow;
class PhasePicture;

class MainWindow : public QMainWindow, public WindowPort, public FieldHost, private SearchProgress {
  Q_OBJECT

 public:
  explicit MainWindow(MainForm& main, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Widgets by the control name they stand for ("julianDayField", "autoDeltaTCheck",
  // "calcButton", "daySpinner" with +1/-1, "easycalc"), for tests.
  QLineEdit* field(Field f) const;
  QWidget* hostWindow() override { return this; }
  QWidget* fieldWidget(Field f) override { return field(f); }
  QCheckBox* checkBox(Check c) const;
  QRadioButton* optionButton(Option o) const;
  QPushButton* button(const std::string& name) const;
  QToolButton* spinner(const std::string& name, int direction) const;
  QAction* action(const std::string& name) const;
  QComboBox* siteCombo() const { return combo_; }
  QLabel* guidanceLine() const { return guidance_; }
  PhasePicture* phasePicture() const { return picture_; }
  // The settings dialog's state, kept for the run; the help window once
  // it has been opened.
  SettingsDialog& settingsDialog() { return settings_; }
  CommandActions& commandActions() { return *actions_; }
  HelpWindow* helpWindow() const { return help_.get(); }

  // The size the window asks for, kept inside the available area of its
  // screen, and centred there.
  void placeOnScreen();

  // Whether closing asks first (tests switch it off).
  void setAskBeforeClosing(bool ask) { askBeforeClosing_ = ask; }

  // The subsidiary windows, family by family; show(Win) asks each in turn.
  void addFamily(std::unique_ptr<WindowFamily> family);
  // The window when it has been made; nullptr otherwise.
  QWidget* existing(Win w) const;

  // WindowPort: what only this window can do for a command.
  void show(Win w) override;
  void help(HelpPage page) override;
  void closeMain() override;
  using QMainWindow::show;

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void buildMenus();
  void buildToolbar();
  QWidget* buildMoonGroup();
  QWidget* buildDateTimeGroup();
  QWidget* buildSiteGroup();
  QWidget* buildLoopGroup();
  QWidget* buildResultsGroup();
  QWidget* buildOutputGroup();
  // A frame of the table's controls; they are left in framed_ to be laid out.
  QGroupBox* frame(const ControlGroup& group);
  QWidget* optionFrame(Text t);
  QLabel* label(Field f);
  QLineEdit* bindField(Field f, bool input, int width);
  QCheckBox* bindCheck(const char* name);
  QRadioButton* bindOption(const char* name);
  QPushButton* commandButton(const std::string& name);
  QWidget* spinnerPair(Field f);
  void hint(QWidget* w, const std::string& controlName);
  // The guidance for whatever is at that widget: its own or its nearest
  // hinted ancestor's; the bare background shows the title.
  void hoverOver(QWidget* w);
  // Enter commits (and, in a date, time or delta T field, calculates);
  // Up and Down work the field's spinner. True when the key was taken.
  bool fieldKey(QLineEdit* e, QKeyEvent* k);
  void onModelChange(const Change& c);
  // The field that could not be used as typed, and the results while they
  // belong to an earlier date, are marked.
  void showEntrySign();
  void refreshSites();
  void commitEditing();

  // SearchProgress: the picture and the fields follow a running search.
  void redrawPhase(const astro::Reduced& step) override;
  void repaintFields(const InstantSteps& at, std::initializer_list<Field> fields) override;
  void searchEnded() override;

  MainForm& main_;
  QObject* pointerWatch_ = nullptr;  // child of the window
  std::vector<std::unique_ptr<WindowFamily>> families_;
  Connection formChanges_;
  Connection siteChanges_;
  Connection guidanceChanges_;
  Connection signChanges_;
  Connection keypadChanges_;
  QLineEdit* marked_ = nullptr;
  // The field clicked since it last took the focus: its next clicks only
  // place the text cursor.
  QObject* clickedField_ = nullptr;
  QGroupBox* results_ = nullptr;
  int drawId_ = 0;
  bool askBeforeClosing_ = true;
  std::map<Field, QLineEdit*> fields_;
  std::map<Check, QCheckBox*> checks_;
  std::map<Option, QRadioButton*> options_;
  std::map<std::string, QPushButton*> buttons_;
  std::map<std::pair<std::string, int>, QToolButton*> spinners_;
  CommandActions* actions_ = nullptr;  // child of the window
  std::unique_ptr<CommandBinder> binder_;
  std::vector<QWidget*> framed_;
  std::map<std::string, QAction*> toolActions_;
  std::map<QObject*, std::string> hints_;
  QComboBox* combo_ = nullptr;
  QLabel* guidance_ = nullptr;
  PhasePicture* picture_ = nullptr;
  SettingsDialog settings_;
  std::unique_ptr<HelpWindow> help_;
};

}  // namespace velmar
