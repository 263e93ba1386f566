#pragma once
// The texts of the windows that are not commands: frame titles, labels,
// window titles and the buttons of the dialogs. Those a pointer can rest
// on carry their control name and guidance text, as commands do.
//
// The option frames of the main window group commands; they are data here
// too, so that the window and the guidance line read one list.
#include <string_view>
#include <vector>

#include "app/commands.h"

namespace velmar {

enum class Text : int {
  // The main window
  Toolbar,
  DateTimeFrame,
  SecondsUnit,
  LoopFrame,
  AgeLabel,
  ResultsFrame,
  AgeUnit,
  SpeedFrame,
  TargetFrame,
  DirectionFrame,
  SeriesFrame,
  SiteFrame,
  ExportFileName,
  // The spare places of the data and graph windows' button rows
  DataSpare,
  GraphSpare,
  // The views' menus
  ShadowViewMenu,
  ShadowFullMoonMenu,
  SunViewMenu,
  // The time pad
  PadChange,
  PadStep,
  // The settings dialog
  SettingsSave,
  SettingsCancel,
  SettingsResetPlaces,
  // The site editor
  SiteEditorTitle,
  SiteSample,
  SiteIndexTip,
  SiteName,
  SiteLongitude,
  SiteLatitude,
  SiteElevation,
  SiteActionFrame,
  SiteInitial,
  SiteAdd,
  SiteReplace,
  SiteApply,
  SiteCancel,
};

struct Caption {
  Text id;
  const char* name;      // the control's name ("speedFrame"), or nullptr
  const char* caption;   // nullptr: the control shows none
  const char* guidance;  // the guidance line's text over it, or nullptr
};

const std::vector<Caption>& captions();
const char* captionOf(Text t);
// By control name; nullptr when no caption has it.
const Caption* findCaption(std::string_view name);

// A frame of the main window and the commands of its controls, in order.
struct ControlGroup {
  Text frame;
  std::vector<Cmd> members;
};
const std::vector<ControlGroup>& controlGroups();

}  // namespace velmar
