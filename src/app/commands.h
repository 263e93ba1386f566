#pragma once
// Every command of the program, once: what it does, the state it shows, its
// shortcut, picture and guidance text, and the list of its faces (the menu
// item, the toolbar button and the controls on each window that run it).
// Commands are named by Cmd; the menus and the toolbar are laid out by Cmd.
// Face names ("startLoopButton", "dataWindow.startInputButton", "agebt") remain for the
// guidance line and for scripts and tests that name a control.
//
// Adding a command: one enumerator in Cmd, one row in the table in
// commands.cpp (in the same place: the compiler checks the order), and its
// Cmd in the menu or toolbar layout if it has such a face. The windows build
// its controls from the row. An option button has no enumerator of its own:
// its row stands at cmdOf(Option).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fields.h"

namespace velmar {

class MainForm;

enum class Cmd : int {
  // Calculation and searches
  Calc,
  EasyMode,
  PreciseMode,
  MoonAge,
  AutoRebaseOn,
  NewMoon,
  NewMoonPrecise,
  FullMoon,
  NextFull,
  BackFull,
  // The date, the record and the continuous calculation
  StartLoop,
  StopLoop,
  BatchLoop,
  Record,
  Restore,
  RestoreAndCalc,
  SetBase,
  ClearBase,
  Now,
  ClearResults,
  Today,
  StepDown,
  StepUp,
  Adjust,
  AutoRebase,
  AutoDeltaT,
  // One command per option button, in the order of Option: cmdOf(Option).
  FirstOption,
  LastOption = FirstOption + (static_cast<int>(Option::Future) - static_cast<int>(Option::Fast)),
  // Settings and help
  AutoRecord,
  Guidance,
  SiteEditor,
  DataFolder,
  Quit,
  Version,
  Settings,
  HelpContents,
  HelpSearch,
  // Results output
  ShowTable,
  ClearTable,
  ShowGraph,
  ClearGraph,
  ChooseExportFile,
  GraphOutput,
  TableOutput,
  FileOutput,
  GraphSun,
  GraphMoon,
  GraphIllumination,
  GraphLatitude,
  EraseTable,
  PrintTable,
  StartTable,
  StopTable,
  ResumeLoop,
  HideTable,
  ClearAndStartGraph,
  StartGraph,
  StopGraph,
  HideGraph,
  // Views
  OpenFace,
  OpenOrbit,
  OpenTimePad,
  OpenSky,
  BigSky,
  OpenShadow,
  BigView,
  OpenSun,
  BigSun,
  OpenAlmanac,
  OpenYearView,
  StartOrReverse,
  Orbits,
  Trail,
  // The time pad
  PadYearUp,
  PadYearDown,
  PadMonthUp,
  PadMonthDown,
  PadDayUp,
  PadDayDown,
  PadHourUp,
  PadHourDown,
  PadMinuteUp,
  PadMinuteDown,
  PadSecondUp,
  PadSecondDown,
  PadNow,
  PadStartOrReverse,
  PadStop,
  PadChangeUp,
  PadChangeDown,
  PadStepUp,
  PadStepDown,
  PadRestore,
  PadYears,
  PadMonths,
  PadDays,
  PadHours,
  PadMinutes,
  PadSeconds,
  PadDaysTwice,
  PadHoursTwice,
  PadMinutesTwice,
  PadSecondsTwice,
  // The numeric keypad
  Key1,
  Key2,
  Key3,
  Key4,
  Key5,
  Key6,
  Key7,
  Key8,
  Key9,
  Key0,
  KeyClear,
  KeyOk,
  KeyBack,
  // The 月の暦 window
  AlmanacPreviousMonth,
  AlmanacNextMonth,
  AlmanacFollowDate,
  AlmanacExport,
  AlmanacPrint,
  AlmanacClose,
  // The year view (暦要項)
  YearViewPreviousYear,
  YearViewNextYear,
  YearViewFollowDate,
  YearViewExport,
  YearViewPrint,
  YearViewClose,
  // The 日食 window
  OpenEclipses,
  EclipseFollowDate,
  EclipseExport,
  EclipsePrint,
  EclipseClose,
};
inline constexpr int kCmdCount = static_cast<int>(Cmd::EclipseClose) + 1;

// The command that selects an option button.
constexpr Cmd cmdOf(Option o) {
  return static_cast<Cmd>(static_cast<int>(Cmd::FirstOption) + static_cast<int>(o) -
                          static_cast<int>(Option::Fast));
}

// The state a command shows: a menu tick, a check box or an option button
// of the main form, or a switch of a view.
struct Binding {
  enum class Kind { None, Tick, Check, Option, Orbits, Trail };
  Kind kind = Kind::None;
  int id = 0;
};

// Where a face stands. The settings dialog's controls have names of their
// own ("settingsDialog.unitYearsOption" is 年 there), so they are looked up apart.
enum class Face { Menu, Tool, Control, Setting };

struct FaceDef {
  Face face = Face::Control;
  // "loopcalc", "loopbt", "startLoopButton", "dataWindow.resumeLoopButton"
  const char* name = nullptr;
  // Menu: with its "&" accelerator; toolbar: the tooltip. nullptr: the
  // command's caption.
  const char* caption = nullptr;
  const char* guidance = nullptr;  // nullptr: the command's own
};

using Handler = void (*)(MainForm&);
inline constexpr int kMaxFaces = 7;

// Where a command's shortcut works: in every window of the program, or only
// in the window that shows the command's controls (the 月の暦's Esc closes
// that window, not the main one).
enum class Reach { Program, Window };

struct Command {
  Cmd id;
  Handler handler;
  Binding binding;
  const char* caption;   // the controls' caption where a face has none of its own
  const char* guidance;  // the guidance line's text over its faces, or nullptr
  const char* shortcut;  // QKeySequence's portable text ("Shift+F2"), or nullptr
  const char* picture;   // the toolbar picture's key ("Record1"), or nullptr
  std::array<FaceDef, kMaxFaces> faces;
  Reach reach = Reach::Program;

  // Its faces of one kind, in table order.
  std::vector<const FaceDef*> facesOf(Face f) const;
  const FaceDef* menu() const;
  const FaceDef* tool() const;
  // The caption and guidance a face shows.
  const char* captionOf(const FaceDef& f) const { return f.caption ? f.caption : caption; }
  const char* guidanceOf(const FaceDef& f) const;
  // The menu item's text, or the first face's caption.
  const char* title() const;
};

const std::vector<Command>& commands();
const Command& command(Cmd c);

struct CommandRef {
  const Command* command;
  const FaceDef* face;
};
// By the name of a face of the menu bar, the toolbar or a window, exactly
// (case matters); the settings dialog's faces are not found here. Empty for
// an unknown name.
std::optional<CommandRef> findCommand(std::string_view name);
// A face of the settings dialog ("settingsDialog.unitHoursOption", "settingsDialog.guidanceCheck").
std::optional<CommandRef> findSetting(std::string_view name);

// The menu bar: menus in order, each with its items; std::nullopt is a
// separator.
struct MenuLayout {
  const char* name;     // "filemenu"
  const char* caption;  // "ﾌｧｲﾙ(&F)"
  std::vector<std::optional<Cmd>> items;
};
const std::vector<MenuLayout>& menuLayout();

// The toolbar's commands in order; std::nullopt stands for a separator.
const std::vector<std::optional<Cmd>>& toolbarLayout();

// Whether the command's state is on (false for a command without one).
bool isOn(const MainForm& m, Cmd c);

// The guidance text of any control of the main window: commands, captions,
// fields and their spinners. nullptr when the control has none; `known`
// tells whether the name is a control at all (the bare background is not).
const char* guidanceOf(std::string_view control, bool* known = nullptr);

}  // namespace velmar
