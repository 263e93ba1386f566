#include "stepping/continuous.h"

#include "engine/numtext.h"

namespace velmar {

namespace {

constexpr const char* kLoopCountQuestion1 =
    "ループ数に365を越える数値を指定しようとしています\r\r以下の項目に影響があります\r"
    "グラフ表示の異常・推算時間の過大\r\r指定されたループ数";
constexpr const char* kLoopCountQuestion2 = "を設定しますか？";

// The field each unit option steps, by the field's number.
int targetOf(Option o) {
  switch (o) {
    case Option::Years:
      return 1;
    case Option::Months:
      return 2;
    case Option::Days:
      return 3;
    case Option::Hours:
      return 7;
    case Option::Minutes:
      return 8;
    case Option::Seconds:
      return 9;
    default:
      return 0;
  }
}

bool isDateTimeField(int code) {
  return code == 1 || code == 2 || code == 3 || code == 7 || code == 8 || code == 9;
}

}  // namespace

// The unit option selected, if any, picks the field each tick steps.
void Continuous::targetFromOptions() {
  for (int i = 3; i <= 8; ++i) {
    const Option o = static_cast<Option>(i);
    if (form_.option(o)) loopTarget_ = targetOf(o);
  }
}

// Ten ticks a second when fast, one when normal.
void Continuous::intervalFromSpeed() { loopInterval_ = form_.option(Option::Normal) ? 1000 : 100; }

void Continuous::deriveFromSettings() {
  changeAmount_ = form_.value(Field::ChangeAmount);
  targetFromOptions();
  intervalFromSpeed();
}

void Continuous::start() {
  recordIfAsked();
  startFromOptions();
}

void Continuous::recordIfAsked() {
  if (form_.tick(Tick::automem) && recordDate) recordDate();
}

void Continuous::startFromOptions() {
  targetFromOptions();
  if (form_.option(Option::Past)) loopStep_ = -changeAmount_;
  if (form_.option(Option::Future)) loopStep_ = changeAmount_;
  intervalFromSpeed();
  timer_.setInterval(loopInterval_);
}

void Continuous::resume() { timer_.setInterval(loopInterval_); }

void Continuous::stop() { timer_.setInterval(0); }

void Continuous::startOrReverse() {
  if (form_.tick(Tick::automem) && recordDate) recordDate();
  if (running() && form_.option(Option::Past)) {
    form_.selectOption(Option::Future);
  } else if (running() && form_.option(Option::Future)) {
    form_.selectOption(Option::Past);
  } else {
    intervalFromSpeed();
    timer_.setInterval(loopInterval_);
  }
}

void Continuous::stepTarget(double delta) {
  if (!isDateTimeField(loopTarget_)) return;
  const Field f = static_cast<Field>(loopTarget_);
  FormModel::ProgramWrites step(form_);
  form_.setText(f, formatPlain(form_.value(f) + delta));
}

void Continuous::stepUp() {
  stepTarget(form_.value(Field::ChangeAmount));
  calc_.calc();
}

void Continuous::stepDown() {
  stepTarget(-form_.value(Field::ChangeAmount));
  calc_.calc();
}

void Continuous::tick() {
  stepTarget(loopStep_);
  calc_.calc();
}

bool Continuous::fieldChanged(Field f) {
  // The fields' ranges are their spinners'.
  const SpinnerInfo& range = fieldInfo(f).spinner;
  if (f == Field::ChangeAmount) {
    const double v = form_.value(f);
    // Each correction writes the field again, which runs this rule anew.
    if (v < range.lowest) {
      form_.setText(f, std::to_string(range.lowest));
      return true;
    }
    if (v > range.highest) {
      form_.setText(f, std::to_string(range.highest));
      return true;
    }
    changeAmount_ = v;
    loopStep_ = form_.option(Option::Past) ? -changeAmount_ : changeAmount_;
    if (changeAmountTaken) changeAmountTaken();
    return true;
  }
  if (f == Field::LoopCount) {
    const double v = form_.value(f);
    if (v < range.lowest) {
      form_.setText(f, std::to_string(range.lowest));
    } else if (v > range.highest) {
      const std::string q = std::string(kLoopCountQuestion1) + form_.text(f) + kLoopCountQuestion2;
      if (!ui_.askYesNo("確認", q)) form_.setText(f, std::to_string(range.highest));
    }
    return true;
  }
  return false;
}

bool Continuous::optionClicked(Option o) {
  const int id = static_cast<int>(o);
  if (id == 1 || id == 2) {
    intervalFromSpeed();
    if (running()) timer_.setInterval(loopInterval_);
    return true;
  }
  if (id >= 3 && id <= 8) {
    loopTarget_ = targetOf(o);
    if (unitChosen) unitChosen();
    return true;
  }
  if (o == Option::Past) {
    loopStep_ = -changeAmount_;
    return true;
  }
  if (o == Option::Future) {
    loopStep_ = changeAmount_;
    return true;
  }
  return false;
}

void Continuous::stopUnlessRecording() {
  if (form_.check(Check::TableOutput) == 0 && form_.check(Check::GraphOutput) == 0 &&
      form_.check(Check::FileOutput) == 0) {
    timer_.setInterval(0);
  }
}

}  // namespace velmar
