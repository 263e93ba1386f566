#pragma once
// Every command of the program, once: its names on the menu bar, the
// toolbar and the windows, its captions, shortcut, tooltip, picture and
// guidance text, the state it shows and what it does. Menus, the toolbar
// and the windows' buttons are built from this table and dispatch through
// it by name.
#include <optional>
#include <string_view>
#include <vector>

#include "engine/fields.h"

namespace velmar {

class MainForm;

// The state a control shows: a menu tick, a check box or an option button
// of the main form.
struct Binding {
  enum class Kind { None, Tick, Check, Option };
  Kind kind = Kind::None;
  int id = 0;
};

// A menu item.
struct MenuFace {
  const char* name = nullptr;      // "loopcalc"
  const char* caption = nullptr;   // with its "&" accelerator
  const char* shortcut = nullptr;  // QKeySequence's portable text ("Shift+F2"), or nullptr
};

// A toolbar button, known by its key.
struct ToolFace {
  const char* key = nullptr;  // "loopbt"
  const char* tooltip = nullptr;
  const char* picture = nullptr;   // the key of its picture ("Record1")
  const char* guidance = nullptr;  // nullptr: the command's own
};

// A control on a window: button, check box, option button, frame, picture.
// Controls of the subsidiary windows are named "Form3.Command4".
struct ControlFace {
  const char* name = nullptr;  // "Command19"
  const char* caption = nullptr;
  const char* guidance = nullptr;  // nullptr: the command's own
};

using Handler = void (*)(MainForm&);

struct Command {
  Handler handler;  // nullptr: a control that only shows a hint or a caption
  Binding binding;
  const char* guidance;  // the guidance line's text over its button and control, or nullptr
  MenuFace menu;
  ToolFace tool;
  ControlFace control;

  // The first of its names.
  const char* id() const;
  const char* toolGuidance() const { return tool.guidance ? tool.guidance : guidance; }
  const char* controlGuidance() const { return control.guidance ? control.guidance : guidance; }
};

const std::vector<Command>& commands();

enum class Face { Menu, Tool, Control };
struct CommandRef {
  const Command* command;
  Face face;  // the face whose name was looked up
};
// By any of its names, exactly (case matters). Empty for an unknown name.
std::optional<CommandRef> findCommand(std::string_view name);

// The menu bar: menus in order, each with its items; a separator is an item
// that no command's menu face names ("menuline12").
struct MenuItem {
  const char* name;
  bool separator;
};
struct MenuLayout {
  const char* name;     // "filemenu"
  const char* caption;  // "ﾌｧｲﾙ(&F)"
  std::vector<MenuItem> items;
};
const std::vector<MenuLayout>& menuLayout();

// The toolbar's keys in order; nullptr stands for a separator.
const std::vector<const char*>& toolbarKeys();

// The frames of the main window and the controls each groups, in order.
struct ControlGroup {
  const char* frame;  // "Frame2"
  std::vector<const char*> members;
};
const std::vector<ControlGroup>& controlGroups();

// The guidance text of any control of the main window: commands, fields and
// their spinners. nullptr when the control has none; `known` tells whether
// the name is a control at all (the bare background is not).
const char* guidanceOf(std::string_view control, bool* known = nullptr);

}  // namespace velmar
