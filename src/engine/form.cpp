#include "engine/form.h"

#include "engine/numtext.h"

namespace velmar {

FormModel::FormModel() {
  // The design state of the window: high precision checked.
  state_.ticks[static_cast<int>(Tick::hqcalc)] = true;
  state_.ticks[static_cast<int>(Tick::automem)] = true;
  state_.ticks[static_cast<int>(Tick::guid)] = true;
  // Fast, by the day, into the future.
  state_.options[static_cast<int>(Option::Fast)] = true;
  state_.options[static_cast<int>(Option::Days)] = true;
  state_.options[static_cast<int>(Option::Future)] = true;
}

double FormModel::value(Field f) const { return velmar::value(text(f)); }

void FormModel::setText(Field f, std::string_view text) {
  std::string& slot = state_.texts[static_cast<int>(f)];
  if (slot == text) return;
  slot.assign(text.data(), text.size());
  notify({Change::Kind::Field, static_cast<int>(f)});
  if (fieldRule_) fieldRule_(f);
}

void FormModel::setCheck(Check c, int v) {
  int& slot = state_.checks[static_cast<int>(c)];
  v = v ? 1 : 0;
  if (slot == v) return;
  slot = v;
  notify({Change::Kind::Check, static_cast<int>(c)});
  if (checkRule_) checkRule_(c);
}

void FormModel::selectOption(Option o) {
  const int id = static_cast<int>(o);
  if (state_.options[id]) return;
  // The frames: speed 1-2, unit 3-8, direction 9-10.
  const int first = id <= 2 ? 1 : (id <= 8 ? 3 : 9);
  const int last = id <= 2 ? 2 : (id <= 8 ? 8 : 10);
  for (int i = first; i <= last; ++i) {
    if (i != id && state_.options[i]) {
      state_.options[i] = false;
      notify({Change::Kind::Option, i});
    }
  }
  state_.options[id] = true;
  notify({Change::Kind::Option, id});
  if (optionRule_) optionRule_(o);
}

void FormModel::setTick(Tick t, bool on) {
  bool& slot = state_.ticks[static_cast<int>(t)];
  if (slot == on) return;
  slot = on;
  notify({Change::Kind::Tick, static_cast<int>(t)});
}

void FormModel::notify(const Change& c) {
  if (!changed_.empty()) changed_(c);
}

InstantTexts readInstant(const FormModel& form) {
  InstantTexts t;
  for (size_t i = 0; i < kInstantFields.size(); ++i) t[i] = form.text(kInstantFields[i]);
  return t;
}

void writeInstant(FormModel& form, const InstantTexts& texts) {
  for (size_t i = 0; i < kInstantFields.size(); ++i) form.setText(kInstantFields[i], texts[i]);
}

std::string instantTitle(const FormModel& form) {
  const InstantTexts t = readInstant(form);
  return t[0] + "/" + t[1] + "/" + t[2] + " " + t[3] + ":" + t[4] + ":" + t[5];
}

}  // namespace velmar
