#include "engine/form.h"

#include "engine/numtext.h"

namespace velmar {

const char* fieldName(Field f) {
  static const char* const names[kFieldCount] = {
      "",       "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",
      "Text7",  "Text8",  "Text9",  "Text10", "Text11", "Text12", "Text13",
      "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
      "Text21", "Text22", "Text23", "Text24", "Text25"};
  return names[static_cast<int>(f)];
}

FormModel::FormModel() {
  // The design state of the window: high precision checked.
  ticks_[static_cast<int>(Tick::hqcalc)] = true;
  ticks_[static_cast<int>(Tick::automem)] = true;
  ticks_[static_cast<int>(Tick::guid)] = true;
  // Fast, by the day, into the future.
  options_[static_cast<int>(Option::Option1)] = true;
  options_[static_cast<int>(Option::Option5)] = true;
  options_[static_cast<int>(Option::Option10)] = true;
}

double FormModel::value(Field f) const { return velmar::value(text(f)); }

void FormModel::setText(Field f, std::string_view text) {
  std::string& slot = texts_[static_cast<int>(f)];
  if (slot == text) return;
  slot.assign(text.data(), text.size());
  notify({Change::Kind::Field, static_cast<int>(f)});
  if (fieldRule_) fieldRule_(f);
}

void FormModel::setCheck(Check c, int v) {
  int& slot = checks_[static_cast<int>(c)];
  v = v ? 1 : 0;
  if (slot == v) return;
  slot = v;
  notify({Change::Kind::Check, static_cast<int>(c)});
  if (checkRule_) checkRule_(c);
}

void FormModel::selectOption(Option o) {
  const int id = static_cast<int>(o);
  if (options_[id]) return;
  const int first = id <= 2 ? 1 : (id <= 8 ? 3 : 9);
  const int last = id <= 2 ? 2 : (id <= 8 ? 8 : 10);
  for (int i = first; i <= last; ++i) {
    if (i != id && options_[i]) {
      options_[i] = false;
      notify({Change::Kind::Option, i});
    }
  }
  options_[id] = true;
  notify({Change::Kind::Option, id});
  if (optionRule_) optionRule_(o);
}

void FormModel::setTick(Tick t, bool on) {
  bool& slot = ticks_[static_cast<int>(t)];
  if (slot == on) return;
  slot = on;
  notify({Change::Kind::Tick, static_cast<int>(t)});
}

int FormModel::addListener(Listener l) {
  int id = nextListener_++;
  listeners_.emplace_back(id, std::move(l));
  return id;
}

void FormModel::removeListener(int id) {
  // Only blanked here: a listener may remove itself while being notified.
  for (auto& p : listeners_)
    if (p.first == id) p.second = nullptr;
}

void FormModel::notify(const Change& c) {
  for (size_t i = 0; i < listeners_.size(); ++i)
    if (listeners_[i].second) listeners_[i].second(c);
}

}  // namespace velmar
