#pragma once
// One QAction per command of the command table, holding its text, shortcut,
// check state and enabled state, and the one binder that makes every menu
// item, toolbar button, push button, check box and option button of every
// window from them: a control shows its action's state, so a state shows
// the same on every window by construction, and a click runs the command.
//
// The shortcuts belong to the whole program: they work from every window,
// and they win over the editing keys of the fields (Ctrl+Z, Ctrl+X), except
// in a window whose property kOwnEditingKeys is true.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <array>
#include <functional>

#include "app/captions.h"
#include "app/commands.h"
#include "app/main_form.h"
#include "engine/signal.h"

namespace velmar {

// The property of a window whose text fields keep their editing keys.
inline constexpr const char* kOwnEditingKeys = "velmarOwnEditingKeys";

QString qtext(const char* s);
// A caption of the captions table as Qt shows it.
QString qtext(Text t);
// The caption of a control by its name: a command's face, or a caption of
// the table ("timePad.changeLabel").
QString faceCaption(const char* name);

class CommandActions : public QObject {
  Q_OBJECT

 public:
  // The actions live with `owner` (the main window) and answer to that
  // form; the windows of the form find them through of().
  CommandActions(MainForm& main, QWidget* owner);
  ~CommandActions() override;

  // The actions of that form: the main window's, or, for a window shown
  // without one, a set of its own that lives as long as `window`.
  static CommandActions& of(MainForm& main, QWidget* window);

  MainForm& main() { return main_; }
  QAction* action(Cmd c) const { return actions_[static_cast<size_t>(c)]; }
  // Runs before a command chosen on the main window (its menus, toolbar
  // and controls): the field being typed into counts as entered.
  std::function<void()> beforeMainCommand;
  // Runs the command; `fromMain`: chosen on the main window.
  void run(Cmd c, bool fromMain);
  // Each action's check state from the form (a view's switch has no signal
  // of its own).
  void refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  MainForm& main_;
  std::array<QAction*, kCmdCount> actions_{};
  Connection formChanges_;
};

// Makes a window's controls from the actions. `fromMain`: the controls of
// the main window, whose commands first commit the field being typed into.
class CommandBinder {
 public:
  CommandBinder(CommandActions& actions, bool fromMain) : actions_(actions), fromMain_(fromMain) {}
  CommandActions& actions() { return actions_; }

  // The menu bar's item, a window's own menu item ("shadowView.luna") and a
  // toolbar button are the command's own action: one text, shortcut, tick
  // and enabled state wherever it shows.
  QAction* menuItem(QMenu* menu, Cmd c);
  QAction* windowMenuItem(QMenu* menu, const char* face);
  QAction* toolButton(QToolBar* bar, Cmd c);
  // Controls named by their face ("startLoopButton", "dataWindow.resumeLoopButton"); the
  // settings dialog's by their face there ("settingsDialog.unitHoursOption").
  QPushButton* button(const char* face, QWidget* parent = nullptr);
  QCheckBox* checkBox(const char* face, QWidget* parent = nullptr);
  QRadioButton* optionButton(const char* face, QWidget* parent = nullptr);
  QCheckBox* settingsBox(const char* face, QWidget* parent = nullptr);
  QRadioButton* settingsOption(const char* face, QWidget* parent = nullptr);

 private:
  template <class B>
  B* bound(const CommandRef& ref, QWidget* parent);

  CommandActions& actions_;
  bool fromMain_;
};

}  // namespace velmar
