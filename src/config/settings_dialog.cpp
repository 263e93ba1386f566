#include "config/settings_dialog.h"

#include "engine/numtext.h"

namespace velmar {

WindowPlacement SettingsDialog::placement(float screenWidth, float screenHeight) {
  return centredPlacement(kWidth, kHeight, screenWidth, screenHeight);
}

const std::vector<SettingsOption>& SettingsDialog::options() {
  // The direction options stand the other way round on the main window
  // ("過去" first): they are matched by meaning, not by position.
  static const std::vector<SettingsOption> table = {
      {1, "settingsDialog.unitYearsOption", Option::Years},
      {2, "settingsDialog.unitMonthsOption", Option::Months},
      {3, "settingsDialog.unitDaysOption", Option::Days},
      {4, "settingsDialog.unitHoursOption", Option::Hours},
      {5, "settingsDialog.unitMinutesOption", Option::Minutes},
      {6, "settingsDialog.unitSecondsOption", Option::Seconds},
      {7, "settingsDialog.speedFastOption", Option::Fast},
      {8, "settingsDialog.speedNormalOption", Option::Normal},
      {9, "settingsDialog.directionFutureOption", Option::Future},
      {10, "settingsDialog.directionPastOption", Option::Past},
  };
  return table;
}

const std::vector<SettingsBox>& SettingsDialog::boxes() {
  using K = SettingsBox::Kind;
  static const std::vector<SettingsBox> table = {
      {1, "settingsDialog.autoRebaseCheck", K::Check, static_cast<int>(Check::AutoRebase)},
      {2, "settingsDialog.graphSunCheck", K::Check, static_cast<int>(Check::GraphSun)},
      {3, "settingsDialog.graphMoonCheck", K::Check, static_cast<int>(Check::GraphMoon)},
      {4, "settingsDialog.graphIlluminationCheck", K::Check,
       static_cast<int>(Check::GraphIllumination)},
      {5, "settingsDialog.graphLatitudeCheck", K::Check, static_cast<int>(Check::GraphLatitude)},
      {6, "settingsDialog.resetPlacesCheck", K::Own, 0},  // 全ｳｨﾝﾄﾞｳ 初期位置
      {7, "settingsDialog.autoRecordCheck", K::Tick, static_cast<int>(Tick::automem)},
      {8, "settingsDialog.guidanceCheck", K::Tick, static_cast<int>(Tick::guid)},
  };
  return table;
}

const std::vector<SettingsFrame>& SettingsDialog::frames() {
  static const std::vector<SettingsFrame> table = {
      {"settingsDialog.unitFrame",
       "unitFrame",
       {"settingsDialog.unitYearsOption", "settingsDialog.unitMonthsOption",
        "settingsDialog.unitDaysOption", "settingsDialog.unitHoursOption",
        "settingsDialog.unitMinutesOption", "settingsDialog.unitSecondsOption"}},
      {"settingsDialog.speedFrame",
       "speedFrame",
       {"settingsDialog.speedFastOption", "settingsDialog.speedNormalOption"}},
      {"settingsDialog.directionFrame",
       "directionFrame",
       {"settingsDialog.directionFutureOption", "settingsDialog.directionPastOption"}},
      {"settingsDialog.seriesFrame",
       "seriesFrame",
       {"settingsDialog.graphSunCheck", "settingsDialog.graphMoonCheck",
        "settingsDialog.graphIlluminationCheck", "settingsDialog.graphLatitudeCheck"}},
  };
  return table;
}

const char* SettingsDialog::labelOf(SettingsField f) { return fieldInfo(twinOf(f)).label; }

Field SettingsDialog::twinOf(SettingsField f) {
  return f == SettingsField::ChangeAmount ? Field::ChangeAmount : Field::LoopCount;
}

SettingsDialog::SettingsDialog(FormModel& form, Save save) : form_(form), save_(std::move(save)) {}

void SettingsDialog::activate() {
  visible_ = true;
  for (SettingsField f : {SettingsField::ChangeAmount, SettingsField::LoopCount})
    texts_[index(f)] = form_.text(twinOf(f));
}

bool SettingsDialog::option(int n) const {
  for (const SettingsOption& o : options())
    if (o.number == n) return form_.option(o.twin);
  return false;
}

void SettingsDialog::clickOption(int n) {
  for (const SettingsOption& o : options())
    if (o.number == n) form_.selectOption(o.twin);
}

const SettingsBox* SettingsDialog::findBox(int n) const {
  for (const SettingsBox& b : boxes())
    if (b.number == n) return &b;
  return nullptr;
}

int SettingsDialog::box(int n) const {
  const SettingsBox* b = findBox(n);
  if (!b) return 0;
  switch (b->kind) {
    case SettingsBox::Kind::Check:
      return form_.check(static_cast<Check>(b->twin)) == 1 ? 1 : 0;
    case SettingsBox::Kind::Tick:
      return form_.tick(static_cast<Tick>(b->twin)) ? 1 : 0;
    case SettingsBox::Kind::Own:
      return resetPlaces_ ? 1 : 0;
  }
  return 0;
}

void SettingsDialog::clickBox(int n) {
  const SettingsBox* b = findBox(n);
  if (!b) return;
  const int now = box(n) ? 0 : 1;
  switch (b->kind) {
    case SettingsBox::Kind::Check:
      form_.setCheck(static_cast<Check>(b->twin), now);
      break;
    case SettingsBox::Kind::Tick:
      form_.setTick(static_cast<Tick>(b->twin), now == 1);
      break;
    case SettingsBox::Kind::Own:
      resetPlaces_ = now == 1;
      break;
  }
}

void SettingsDialog::edit(SettingsField f, std::string text) { texts_[index(f)] = std::move(text); }

void SettingsDialog::commit(SettingsField f) {
  std::string& t = texts_[index(f)];
  const double least = fieldInfo(twinOf(f)).spinner.lowest;
  if (value(t) < least) t = formatPlain(least);
  const Field twin = twinOf(f);
  form_.setText(twin, t);
  // The main window may have corrected it further (at most 3600, or 365
  // when the user declined a longer loop): show what is in force.
  t = form_.text(twin);
}

FileStatus SettingsDialog::save() {
  for (SettingsField f : {SettingsField::ChangeAmount, SettingsField::LoopCount})
    if (text(f) != form_.text(twinOf(f))) commit(f);
  FileStatus status = save_ ? save_(resetPlaces_) : FileStatus{};
  if (status.ok()) visible_ = false;
  return status;
}

void SettingsDialog::cancel() {
  visible_ = false;
  for (SettingsField f : {SettingsField::ChangeAmount, SettingsField::LoopCount})
    texts_[index(f)] = form_.text(twinOf(f));
}

}  // namespace velmar
