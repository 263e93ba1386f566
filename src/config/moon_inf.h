#pragma once
// The settings file moon.inf: window placements and the main window's loop,
// graph, rebasing, recording and guidance controls, fifteen labelled lines.
#include <array>
#include <string>
#include <vector>

#include "config/text_file.h"
#include "engine/form.h"
#include "engine/ports.h"

namespace velmar {

// A subsidiary window's place in twips. A top of -1 means "not placed yet:
// centre it".
struct WindowPlacement {
  float top = -1;
  float left = 0;
  float width = 0;
  int height = 0;
};

// The windows whose placement the file keeps are the first kPlacedWinCount
// of Win, in the order of the file's placement lines.
inline constexpr int kWinCount = kPlacedWinCount;

struct Placements {
  std::array<WindowPlacement, kWinCount> at;
  // Whether a window's place is its own (read from the file, or kept when
  // it last closed) rather than a default given for this run: a window
  // without one opens beside the main window.
  std::array<bool, kWinCount> own{};
  WindowPlacement& operator[](Win w) { return at[static_cast<int>(w)]; }
  const WindowPlacement& operator[](Win w) const { return at[static_cast<int>(w)]; }
};

// Everything the file holds, as read.
struct InfValues {
  Placements placements;
  std::array<int, 10> options{};  // speedFastOption..directionFutureOption, -1 selected / 0
  int rebase = 0;                 // autoRebaseCheck
  std::array<int, 4> graph{};     // graphSunCheck..graphLatitudeCheck
  double changeAmount = 0;        // changeAmountField
  double loopCount = 0;           // loopCountField
  int automem = 0;
  int guid = 0;
};

// The values of a first start: every window centred, fast, by the day, into
// the future, rebasing off, all four graph series and both menu ticks on,
// change amount 1, loop count 10.
InfValues defaultInfValues();

struct InfReadResult {
  InfValues values;
  int firstBadLine = 0;  // 1-based; 0 when every line read well
};

// Reads the file's lines, decoded or as the bytes on disk: only the ASCII
// numbers before each label are read, the label is passed over. Values that
// do not read take their defaults; the first line with a fault is reported.
// A placement line whose numbers do not all hold in single precision is
// such a line.
InfReadResult parseInf(const std::vector<std::string>& lines);

// The fifteen lines saveinf writes for the form's controls and the
// placements (without line ends).
std::vector<std::string> formatInf(const FormModel& form, const Placements& placements);

// loadinf's last step: the controls take the values in their fixed order
// (options first, running their click rules), the placements are replaced.
void applyInf(const InfValues& v, FormModel& form, Placements& placements);

// A window of the given size centred on a screen of the given size, all in
// twips (single precision, as the placements are kept).
WindowPlacement centredPlacement(float width, float height, float screenWidth, float screenHeight);

// Default placements for windows whose top is -1, on a screen of the given
// size in twips. `onSave` picks the sizes used after saving with every
// window reset rather than those of a start.
void centreUnplaced(Placements& p, float screenWidth, float screenHeight, bool onSave);

// loadinf's file side: a missing file gives the defaults silently (a first
// start); a damaged one gives what reads well plus a message naming the
// file and its first bad line.
struct InfLoad {
  InfValues values;
  std::string message;  // Japanese; empty when there is nothing to say
  // How reading went, for the question before saving over the file:
  //  - Missing: a first start; saving creates the file.
  //  - Unreadable (not opened or read, not a regular file, over 16 MB) and
  //    Undecodable (a line whose settings did not read holds bytes that
  //    are not Shift-JIS): the file exists but was not read as settings,
  //    and saving would replace it. Ask the user before saving over it.
  //    A file with text in it of which no line reads as settings is
  //    Unreadable too.
  //  - None otherwise, also when only labels did not decode or some lines
  //    were plain bad values (`message` then names the first).
  FileError error = FileError::None;
  // Shift-JIS, or UTF-8 for a file an editor saved so: saving keeps it.
  TextEncoding encoding = TextEncoding::Cp932;
};
InfLoad readInfFile(const std::string& path);

// saveinf's file side: the fifteen lines, rewritten atomically.
FileStatus writeInfFile(const std::string& path, const FormModel& form,
                        const Placements& placements,
                        TextEncoding encoding = TextEncoding::Cp932);

// A placement saved on a larger screen may lie off this one: moves it so
// that the window's top-left part is on the screen again. Unplaced windows
// (top -1) are left to centreUnplaced.
void bringOntoScreen(WindowPlacement& w, float screenWidth, float screenHeight);

// Whether the file keeps the window's size as well as its place (the time
// pad's line holds only its place).
bool keepsSize(Win w);

// The general numeric text of a single-precision value (at most seven
// significant digits) followed by one blank.
std::string infNumber(double v, bool single);

}  // namespace velmar
