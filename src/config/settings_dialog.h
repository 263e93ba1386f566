#pragma once
// The settings dialog (settingsDialog) "初期設定項目" without its window. Apart from
// the box "全ｳｨﾝﾄﾞｳ 初期位置" it holds nothing of its own: each control
// mirrors a control of the main window, is read from the form, and every
// change goes straight to the form, so that the main window's own rules
// run at once. 設定保存 writes the settings file; キャンセル only hides.
#include <functional>
#include <string>
#include <vector>

#include "config/moon_inf.h"
#include "engine/form.h"

namespace velmar {

// The dialog's two fields: settingsDialog.changeAmountField the change amount "変化分" (label
// settingsDialog.changeAmountLabel), settingsDialog.loopCountField the loop count "ループ" (label
// settingsDialog.loopCountLabel).
enum class SettingsField : int { ChangeAmount = 1, LoopCount };

// An option button of the dialog and the main-window option it mirrors.
// The captions are the main window's commands' (their faces in the dialog).
struct SettingsOption {
  int number;        // 1 .. 10
  const char* name;  // its face ("settingsDialog.unitYearsOption")
  Option twin;
};

// A check box of the dialog and what it mirrors: a main-window check box,
// a menu tick, or nothing (the box is the dialog's own).
struct SettingsBox {
  enum class Kind { Check, Tick, Own };
  int number;        // 1 .. 8
  const char* name;  // its face, or its own name ("settingsDialog.resetPlacesCheck")
  Kind kind;
  int twin;  // a Check or a Tick
};

// A frame of the dialog and the controls it groups ("settingsDialog.unitDaysOption",
// "settingsDialog.graphSunCheck").
struct SettingsFrame {
  const char* name;  // "settingsDialog.unitFrame"
  const char* twin;  // the main window's frame of the same caption ("unitFrame")
  std::vector<std::string> members;
};

class SettingsDialog {
 public:
  static constexpr const char* kCaption = "初期設定項目";
  static constexpr int kWidth = 6350;   // twips
  static constexpr int kHeight = 3500;  // twips
  // Centred on a screen of this size in twips.
  static WindowPlacement placement(float screenWidth, float screenHeight);

  static const std::vector<SettingsOption>& options();
  static const std::vector<SettingsBox>& boxes();
  static const std::vector<SettingsFrame>& frames();
  static const char* labelOf(SettingsField f);  // "変化分", "ループ"
  static Field twinOf(SettingsField f);         // changeAmountField, loopCountField

  // Writes the settings file and tells the user when that failed; with
  // `resetAll` every window is to be centred again.
  using Save = std::function<FileStatus(bool resetAll)>;
  SettingsDialog(FormModel& form, Save save);

  // The dialog is shown (or becomes active): the fields show the main
  // window's texts. The options and boxes always show the form's state.
  void activate();
  bool visible() const { return visible_; }

  // Option n (1 .. 10) of the dialog; a click selects its twin.
  bool option(int n) const;
  void clickOption(int n);
  // Check n (1 .. 8) of the dialog, 0 or 1; a click turns it over.
  int box(int n) const;
  void clickBox(int n);

  const std::string& text(SettingsField f) const { return texts_[index(f)]; }
  // What the user is typing; in force only once committed.
  void edit(SettingsField f, std::string text);
  // The user is done with the field: below its least value it becomes that
  // value (1 for the change amount, 2 for the loop count), then the main
  // window's field takes it and applies its own rule. The field then shows
  // what the main window holds.
  void commit(SettingsField f);

  // 設定保存: what is typed is committed, the settings file is written and
  // the dialog hidden. After a failed write the dialog stays up, the old
  // file is as it was, and the user has been told why.
  FileStatus save();
  // キャンセル: the dialog is hidden; what was committed stays in force for
  // this run, what was typed but not committed is dropped.
  void cancel();

 private:
  static int index(SettingsField f) { return static_cast<int>(f) - 1; }
  const SettingsBox* findBox(int n) const;

  FormModel& form_;
  Save save_;
  std::string texts_[2];
  bool resetPlaces_ = false;  // settingsDialog.resetPlacesCheck, kept for the run
  bool visible_ = false;
};

}  // namespace velmar
