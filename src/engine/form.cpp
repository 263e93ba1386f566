#include "engine/form.h"

#include <cmath>
#include <cstring>

#include "astro/rounding.h"
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

namespace {

// Only the fields that take input have change rules (whole numbers, the
// date's carries, delta T's floor): a calculation writes the others a
// dozen times a step and need not ask.
bool hasRule(Field f) {
  const FieldInfo& info = fieldInfo(f);
  return info.whole || info.correction != Correction::None;
}

}  // namespace

double FormModel::parse(int i) const { return velmar::value(text(static_cast<Field>(i))); }

void FormModel::writeFixed(int i) const {
  Fixed& w = fixed_[i];
  if (w.general) {
    formatGeneral(state_.texts[i], w.x);
  } else {
    formatFixed(state_.texts[i], w.x, w.intDigits, w.decimals, w.leadingBlank);
  }
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
  if (fieldRule_ && hasRule(f)) fieldRule_(f);
}

void FormModel::setFixed(Field f, double x, int intDigits, int decimals, bool leadingBlank) {
  FixedKey key;
  if (!fixedKey(x, decimals, key)) {
    formatFixed(scratch_, x, intDigits, decimals, leadingBlank);
    setText(f, scratch_);
    return;
  }
  Fixed shape;
  shape.intDigits = intDigits;
  shape.decimals = decimals;
  shape.leadingBlank = leadingBlank;
  setKeyed(f, x, key, shape);
}

void FormModel::setGeneral(Field f, double x) {
  // From 1 to below 10^14 the general text shows 15 significant digits: a
  // fixed number of decimals, so that, as under a mask, the rounded digits
  // decide the text (a carry into a new digit gives one text either way).
  const double ax = std::fabs(x);
  int decimals = -1;
  if (ax >= 1) {
    double limit = 10;
    for (int k = 1; k <= 14; ++k, limit *= 10) {
      if (ax < limit) {
        decimals = 15 - k;
        break;
      }
    }
  }
  FixedKey key;
  if (decimals < 0 || !fixedKey(x, decimals, key)) {
    formatGeneral(scratch_, x);
    setText(f, scratch_);
    return;
  }
  Fixed shape;
  shape.general = true;
  shape.decimals = decimals;
  setKeyed(f, x, key, shape);
}

void FormModel::setKeyed(Field f, double x, const FixedKey& key, const Fixed& shape) {
  const int i = static_cast<int>(f);
  Fixed& w = fixed_[i];
  const bool sameShape = w.on && w.keyKnown && w.general == shape.general &&
                         w.intDigits == shape.intDigits && w.decimals == shape.decimals &&
                         w.leadingBlank == shape.leadingBlank;
  if (sameShape) {
    // In one shape the digits decide the text.
    if (w.key == key) return;
    w.due = true;
  } else {
    // The text came from elsewhere: compare it as text, this once.
    if (shape.general) {
      formatGeneral(scratch_, x);
    } else {
      formatFixed(scratch_, x, shape.intDigits, shape.decimals, shape.leadingBlank);
    }
    if (w.due) writeFixed(i);
    std::string& slot = state_.texts[i];
    const bool same = slot == scratch_;
    if (!same) slot.swap(scratch_);
    w = shape;
    w.on = true;
    w.keyKnown = true;
    w.due = false;
    w.x = x;
    w.key = key;
    if (same) return;
  }
  w.x = x;
  w.key = key;
  valueKnown_[i] = fixedKeyValue(key, shape.decimals, values_[i]);
  notify({Change::Kind::Field, i});
  if (fieldRule_ && hasRule(f)) fieldRule_(f);
}

bool FormModel::sameShown(int i, double shown) const {
  uint64_t a, b;
  std::memcpy(&a, &values_[i], sizeof a);
  std::memcpy(&b, &shown, sizeof b);
  return a == b;
}

void FormModel::takeShown(int i, Field f, double x, double shown) {
  Fixed& w = fixed_[i];
  w.due = true;
  w.keyKnown = false;
  w.x = x;
  values_[i] = shown;
  valueKnown_[i] = true;
  notify({Change::Kind::Field, i});
  if (fieldRule_ && hasRule(f)) fieldRule_(f);
}

void FormModel::setFixedShown(Field f, double x, double shown, FixedMask m) {
  const int i = static_cast<int>(f);
  // Under one mask a different value is a different text; a first write,
  // or one after a text from elsewhere, goes the long way once.
  const Fixed& w = fixed_[i];
  const bool sameKind = w.on && !w.general && w.intDigits == m.intDigits &&
                        w.decimals == m.decimals && w.leadingBlank == m.leadingBlank &&
                        valueKnown_[i] && std::isfinite(shown) &&
                        std::fabs(shown) * astro::kExactPow10[m.decimals] < 9e15;
  if (!sameKind) return setFixed(f, x, m);
  if (sameShown(i, shown)) return;
  takeShown(i, f, x, shown);
}

void FormModel::setGeneralShown(Field f, double x, double shown) {
  const int i = static_cast<int>(f);
  const Fixed& w = fixed_[i];
  // Only where the text is plain digits (1 to below 10^14) does the value
  // read back tell one text from another.
  const bool sameKind =
      w.on && w.general && valueKnown_[i] && std::fabs(x) >= 1 && std::fabs(x) < 1e14;
  if (!sameKind) return setGeneral(f, x);
  if (sameShown(i, shown)) return;
  takeShown(i, f, x, shown);
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
