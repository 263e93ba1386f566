#include "engine/form.h"

#include <cstring>

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

double FormModel::parse(int i) const { return velmar::value(text(static_cast<Field>(i))); }

void FormModel::writeFixed(int i) const {
  Fixed& w = fixed_[i];
  formatFixed(state_.texts[i], w.x, w.intDigits, w.decimals, w.leadingBlank);
  w.due = false;
}

FormState FormModel::state() const {
  for (int i = 0; i < kFieldCount; ++i)
    if (fixed_[i].due) writeFixed(i);
  return state_;
}

void FormModel::setText(Field f, std::string_view text) {
  const int i = static_cast<int>(f);
  if (fixed_[i].due) writeFixed(i);
  std::string& slot = state_.texts[i];
  if (slot == text) return;
  fixed_[i].on = false;
  // Results keep their length from step to step: copy over the old text
  // rather than go through the general replace.
  if (slot.size() == text.size()) {
    std::memmove(&slot[0], text.data(), text.size());
  } else {
    slot.assign(text.data(), text.size());
  }
  valueKnown_[i] = false;
  notify({Change::Kind::Field, i});
  if (fieldRule_) fieldRule_(f);
}

void FormModel::setFixed(Field f, double x, int intDigits, int decimals, bool leadingBlank) {
  const int i = static_cast<int>(f);
  Fixed& w = fixed_[i];
  FixedKey key;
  if (!fixedKey(x, decimals, key)) {
    formatFixed(scratch_, x, intDigits, decimals, leadingBlank);
    setText(f, scratch_);
    return;
  }
  const bool sameMask =
      w.on && w.intDigits == intDigits && w.decimals == decimals && w.leadingBlank == leadingBlank;
  if (sameMask) {
    // Under one mask the digits decide the text.
    if (w.key == key) return;
    w.due = true;
  } else {
    // The text came from elsewhere: compare it as text, this once.
    formatFixed(scratch_, x, intDigits, decimals, leadingBlank);
    if (fixed_[i].due) writeFixed(i);
    std::string& slot = state_.texts[i];
    const bool same = slot == scratch_;
    if (!same) slot.swap(scratch_);
    w.on = true;
    w.due = false;
    w.intDigits = intDigits;
    w.decimals = decimals;
    w.leadingBlank = leadingBlank;
    w.x = x;
    w.key = key;
    if (same) return;
  }
  w.x = x;
  w.key = key;
  valueKnown_[i] = fixedKeyValue(key, decimals, values_[i]);
  notify({Change::Kind::Field, i});
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
  const OptionFrame& frame = frameOf(o);
  const int first = static_cast<int>(frame.first);
  const int last = static_cast<int>(frame.last);
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

void FormModel::holdChanges(bool on) {
  if (held_ == on) return;
  held_ = on;
  if (!on) flushChanges();
}

void FormModel::flushChanges() {
  const bool wasHeld = held_;
  held_ = false;
  for (int kind = 0; kind < 4; ++kind) {
    for (int id = 0; id < kMaxIds; ++id) {
      if (!pending_[kind][id]) continue;
      pending_[kind][id] = false;
      notify({static_cast<Change::Kind>(kind), id});
    }
  }
  held_ = wasHeld;
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
